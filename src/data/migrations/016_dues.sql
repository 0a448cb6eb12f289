-- Money due and deadlines: payment schedules of bookings (from templates kept in a small
-- master), supplier credit periods and due dates of advice notes, hotel option and
-- free-cancellation deadlines, the days ahead an office looks, a lead's follow-up date, and a
-- log of the reminders sent. Receipts and payments are applied to what is due when read,
-- never stored, so a cancelled receipt cannot leave a stale application behind.

-- A schedule template: lines of a share of the grand total (a percentage or an amount) and a
-- due rule (on booking, N days before travel, N days after booking). The last line of a
-- schedule made from it takes whatever the others leave, so the schedule sums exactly.
CREATE TABLE M_TBL_SCHEDULE_TEMPLATE (
    TEMPLATE_CODE  INTEGER NOT NULL PRIMARY KEY,
    TEMPLATE_NAME  VARCHAR(100) NOT NULL,
    CREATED_BY     VARCHAR(100),
    CREATED_ON     {{MOMENT}},
    UPDATE_BY      VARCHAR(100),
    UPDATE_ON      {{MOMENT}}
);
CREATE UNIQUE INDEX UX_SCHEDULE_TEMPLATE_NAME ON M_TBL_SCHEDULE_TEMPLATE (TEMPLATE_NAME);
CREATE TABLE M_TBL_SCHEDULE_TEMPLATE_LINE (
    TEMPLATE_CODE  INTEGER NOT NULL,
    LINE_NO        INTEGER NOT NULL,
    SHARE_KIND     VARCHAR(1) NOT NULL,
    SHARE_VALUE    NUMERIC(18,2) NOT NULL,
    DUE_RULE       VARCHAR(1) NOT NULL,
    DUE_DAYS       INTEGER NOT NULL DEFAULT 0,
    LINE_NOTE      VARCHAR(200),
    PRIMARY KEY (TEMPLATE_CODE, LINE_NO)
);

-- A booking's instalments, each with the grand total the schedule was made for (a booking
-- re-priced since then is told apart from a schedule that lost a line); a cancelled
-- booking's are cancelled with it.
CREATE TABLE M_TBL_BOOKING_INSTALMENT (
    CBPT_NO     BIGINT NOT NULL,
    LINE_NO     INTEGER NOT NULL,
    DUE_DT      {{MOMENT}} NOT NULL,
    INST_AMT    NUMERIC(18,2) NOT NULL,
    INST_NOTE   VARCHAR(200),
    MADE_FOR    NUMERIC(18,2) NOT NULL,
    DOC_STATUS  VARCHAR(10),
    CREATED_BY  VARCHAR(100),
    CREATED_ON  {{MOMENT}},
    UPDATE_BY   VARCHAR(100),
    UPDATE_ON   {{MOMENT}},
    PRIMARY KEY (CBPT_NO, LINE_NO)
);
CREATE INDEX IX_INSTALMENT_DUE ON M_TBL_BOOKING_INSTALMENT (DUE_DT);

-- A supplier's credit period; a hotel's option and free-cancellation periods (days before
-- check-in), the defaults of its lines' deadlines.
ALTER TABLE M_TBL_PARTY ADD COLUMN CREDIT_DAYS INTEGER;
ALTER TABLE M_TBL_PARTY ADD COLUMN OPTION_DAYS INTEGER;
ALTER TABLE M_TBL_PARTY ADD COLUMN FREECNCL_DAYS INTEGER;

-- A due date typed on an advice note, beside the note's own rows: the notes' save, their
-- listings and the ledgers read the transaction table as before. Without one the note is
-- due its service date plus its supplier's credit period, as the period stands when read.
CREATE TABLE M_TBL_ADVICE_DUE (
    DOC_CODE   VARCHAR(7) NOT NULL,
    DOC_NO     BIGINT NOT NULL,
    DUE_DT     {{MOMENT}} NOT NULL,
    UPDATE_BY  VARCHAR(100),
    UPDATE_ON  {{MOMENT}},
    PRIMARY KEY (DOC_CODE, DOC_NO)
);

-- The option (hold) date and free-cancellation deadline typed on a hotel line of a booked
-- quotation (its number and line number); a line without them takes its hotel's periods.
CREATE TABLE M_TBL_HOTEL_DEADLINE (
    QUOTATION_NO  BIGINT NOT NULL,
    LINE_NO       BIGINT NOT NULL,
    OPTION_DT     {{MOMENT}},
    FREECNCL_DT   {{MOMENT}},
    UPDATE_BY     VARCHAR(100),
    UPDATE_ON     {{MOMENT}},
    PRIMARY KEY (QUOTATION_NO, LINE_NO)
);

-- How many days ahead the office's board looks.
ALTER TABLE MST_LOCATIONDETAILS ADD COLUMN DUE_DAYS INTEGER;

-- The date a lead is to be followed up; the leads whose date has come are looked up by it.
ALTER TABLE M_TBL_TRANSACTION ADD COLUMN FOLLOWUP_DT {{MOMENT}};
CREATE INDEX IX_TRN_FOLLOWUP ON M_TBL_TRANSACTION (FOLLOWUP_DT) WHERE DOC_CODE = 'BLFC01';

-- Every reminder sent: of which document (a booking's instalment, a supplier's note, a hotel
-- line), to whom, by whom and when.
CREATE TABLE M_TBL_REMINDER_LOG (
    REMINDER_ID    BIGINT NOT NULL PRIMARY KEY,
    DOC_CODE       VARCHAR(7) NOT NULL,
    DOC_NO         BIGINT NOT NULL,
    LINE_NO        INTEGER NOT NULL DEFAULT 0,
    REMINDER_KIND  VARCHAR(20) NOT NULL,
    SENT_TO        VARCHAR(500),
    SENT_BY        VARCHAR(100),
    SENT_ON        {{MOMENT}}
);
CREATE INDEX IX_REMINDER_DOC ON M_TBL_REMINDER_LOG (DOC_CODE, DOC_NO, SENT_ON);
