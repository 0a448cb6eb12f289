-- Each party's live debits and credits over each outstanding list's codes (LDOP, LDMA), and
-- each booking's per party over LDOP's, in whole paise, kept by the postings' own triggers
-- (DueBalances) and summed again by the books check. The outstanding list and the bookings'
-- balances by consultant read the parties and bookings on their side by these indexes
-- instead of summing every posting of the books (22 s and 2 s a SHOW at a big office). The
-- balance is a column of its own (debits less credits) for PostgreSQL's statistics.
CREATE TABLE M_TBL_PARTY_BALANCE (
    LIST_CODE   VARCHAR(20) NOT NULL,
    PARTY_CODE  BIGINT NOT NULL,
    DB_PAISE    BIGINT NOT NULL DEFAULT 0,
    CR_PAISE    BIGINT NOT NULL DEFAULT 0,
    BAL_PAISE   BIGINT NOT NULL DEFAULT 0,
    PRIMARY KEY (LIST_CODE, PARTY_CODE)
);
CREATE TABLE M_TBL_BOOKING_BALANCE (
    LIST_CODE   VARCHAR(20) NOT NULL,
    CBPT_NO     BIGINT NOT NULL,
    PARTY_CODE  BIGINT NOT NULL,
    DB_PAISE    BIGINT NOT NULL DEFAULT 0,
    CR_PAISE    BIGINT NOT NULL DEFAULT 0,
    BAL_PAISE   BIGINT NOT NULL DEFAULT 0,
    PRIMARY KEY (LIST_CODE, CBPT_NO, PARTY_CODE)
);
{{STEP PARTY_BALANCES}};
CREATE INDEX IX_PARTY_BALANCE_DB ON M_TBL_PARTY_BALANCE (LIST_CODE, PARTY_CODE) WHERE BAL_PAISE > 0;
CREATE INDEX IX_PARTY_BALANCE_CR ON M_TBL_PARTY_BALANCE (LIST_CODE, PARTY_CODE) WHERE BAL_PAISE < 0;
CREATE INDEX IX_BOOKING_BALANCE_DB ON M_TBL_BOOKING_BALANCE (LIST_CODE, CBPT_NO) WHERE BAL_PAISE > 0;
CREATE INDEX IX_BOOKING_BALANCE_CR ON M_TBL_BOOKING_BALANCE (LIST_CODE, CBPT_NO) WHERE BAL_PAISE < 0;
