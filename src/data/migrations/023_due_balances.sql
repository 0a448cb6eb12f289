-- What the TODAY board narrows its reading to, kept by the tables' own triggers (DueBalances):
-- per booking, its live instalments (what is above zero of each, and all of them), how many
-- there are, its live receipts and its grand total while it is live; per booking and
-- supplier, his live advice notes (what is above zero of each) and the payments to him. In
-- whole paise. A booking whose instalments come to more than its receipts, or whose schedule
-- differs from its grand total, and a supplier whose notes come to more than he was paid, are
-- the only ones that can show on the board; each has its partial index.
CREATE TABLE M_TBL_BOOKING_DUE (
    CBPT_NO          BIGINT NOT NULL PRIMARY KEY,
    DUE_PAISE        BIGINT NOT NULL DEFAULT 0,
    SCHEDULED_PAISE  BIGINT NOT NULL DEFAULT 0,
    INSTALMENTS      INTEGER NOT NULL DEFAULT 0,
    RECEIVED_PAISE   BIGINT NOT NULL DEFAULT 0,
    TOTAL_PAISE      BIGINT NOT NULL DEFAULT 0
);
CREATE TABLE M_TBL_SUPPLIER_DUE (
    CBPT_NO      BIGINT NOT NULL,
    PARTY_CODE   BIGINT NOT NULL,
    NOTED_PAISE  BIGINT NOT NULL DEFAULT 0,
    PAID_PAISE   BIGINT NOT NULL DEFAULT 0,
    PRIMARY KEY (CBPT_NO, PARTY_CODE)
);
{{STEP DUE_BALANCES}};
CREATE INDEX IX_BOOKING_DUE_OPEN ON M_TBL_BOOKING_DUE (CBPT_NO) WHERE DUE_PAISE > RECEIVED_PAISE;
CREATE INDEX IX_BOOKING_DUE_OFF ON M_TBL_BOOKING_DUE (CBPT_NO)
    WHERE INSTALMENTS > 0 AND SCHEDULED_PAISE <> TOTAL_PAISE;
CREATE INDEX IX_SUPPLIER_DUE_OPEN ON M_TBL_SUPPLIER_DUE (CBPT_NO, PARTY_CODE) WHERE NOTED_PAISE > PAID_PAISE;
