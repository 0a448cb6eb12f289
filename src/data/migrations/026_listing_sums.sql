-- Sums kept for two listings that summed every posting of the books a SHOW (3.3 s and 2 s at a
-- big office), kept by the postings' own triggers (DueBalances) and summed again by the books
-- check; in whole paise, with the number of postings, so that what sums to nothing still shows.
-- Each bank's live debits and credits over the credit-debit listing's codes (CRDB), of all
-- time; bank 0: postings that name none.
CREATE TABLE M_TBL_BANK_BALANCE (
    LIST_CODE   VARCHAR(20) NOT NULL,
    BANK_ID     BIGINT NOT NULL,
    DB_PAISE    BIGINT NOT NULL DEFAULT 0,
    CR_PAISE    BIGINT NOT NULL DEFAULT 0,
    BAL_PAISE   BIGINT NOT NULL DEFAULT 0,
    POSTINGS    BIGINT NOT NULL DEFAULT 0,
    PRIMARY KEY (LIST_CODE, BANK_ID)
);
-- Each booking's live receipts (FRDB01) and supplier payments (FTCR01): the tour's profit and
-- loss, listed by the quotation's journey date.
CREATE TABLE M_TBL_BOOKING_PL (
    CBPT_NO     BIGINT NOT NULL PRIMARY KEY,
    DB_PAISE    BIGINT NOT NULL DEFAULT 0,
    CR_PAISE    BIGINT NOT NULL DEFAULT 0,
    BAL_PAISE   BIGINT NOT NULL DEFAULT 0,
    POSTINGS    BIGINT NOT NULL DEFAULT 0
);
{{STEP LISTING_SUMS}};
-- The dates three period listings read by, behind the document code: a quotation's journey
-- (the profit and loss), a quotation line's tour day (the detailed quotation list) and a
-- booking's last operations update (the operations log sheet). Each walked every quotation
-- or booking of the books by its code before: SQLite has no statistics and takes a code's
-- equality over a date's range.
CREATE INDEX IX_QUOT_JOURNEY ON M_TBL_QUOTATION (DOC_CODE, JOURNEY_STRTDT);
CREATE INDEX IX_QUOT_LINE_TOURDT ON M_TBL_QUOTATION (DOC_CODE, CONS_TOURDT, TOUR_DATE);
CREATE INDEX IX_TRN_OPS_UPDATED ON M_TBL_TRANSACTION (DOC_CODE, CBPT_STATUS_O_UPDON);
