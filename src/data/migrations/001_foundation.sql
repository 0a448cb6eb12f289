-- Logins, company, departments, menu catalogue and rights, numbering, document codes,
-- document-account linkage, named code lists and the transaction table.
-- Amounts are NUMERIC(18,2); moments are {{MOMENT}}; flags are 'Y'/'N'.

CREATE TABLE MST_LOGINDETAILS (
    LOGIN_ID          INTEGER NOT NULL PRIMARY KEY,
    USER_NAME         VARCHAR(50) NOT NULL,
    USER_PASSWORD     VARCHAR(200),
    FULL_NAME         VARCHAR(100),
    MODULE_FOR        VARCHAR(100),
    USER_DEPARTMENT   VARCHAR(100),
    USER_DESIGNATION  VARCHAR(20),
    LAST_LOGIN        DATE,
    LAST_LOGINTIME    TIME,
    CONSULTANT_CODE   VARCHAR(20)
);
CREATE INDEX IX_LOGIN_NAME ON MST_LOGINDETAILS (USER_NAME);

CREATE TABLE MST_LOCATIONDETAILS (
    LOC_ID      INTEGER NOT NULL PRIMARY KEY,
    LOC_NAME    VARCHAR(200),
    ADD1        VARCHAR(500),
    STATE       VARCHAR(100),
    PHOTO_PATH  VARCHAR(500)
);

CREATE TABLE MST_TBL_DEPARTMENT (
    DEPT_NAME  VARCHAR(100) NOT NULL PRIMARY KEY
);

CREATE TABLE M_TBL_MENUDETAILS (
    MENU_ID       INTEGER NOT NULL PRIMARY KEY,
    GROUP_ID      INTEGER,
    GROUP_NAME    VARCHAR(100),
    MENU_NAME     VARCHAR(100),
    MENU_CAPTION  VARCHAR(200)
);
CREATE INDEX IX_MENU_NAME ON M_TBL_MENUDETAILS (MENU_NAME);

CREATE TABLE M_TBL_MENUSHOW (
    LOGIN_ID   INTEGER NOT NULL,
    MENU_ID    INTEGER NOT NULL,
    SHOW_MENU  VARCHAR(1),
    MENU_DISP  VARCHAR(20),
    PRIMARY KEY (LOGIN_ID, MENU_ID)
);

-- A counter row holds the last number issued; a new row starts at 0, so the first number is 1.
CREATE TABLE MST_COUNTER (
    CODE     VARCHAR(50) NOT NULL PRIMARY KEY,
    COUNTER  BIGINT NOT NULL DEFAULT 0
);
CREATE TABLE MST_COUNTER2 (
    CODE     VARCHAR(50) NOT NULL PRIMARY KEY,
    COUNTER  BIGINT NOT NULL DEFAULT 0
);

CREATE TABLE MST_DOCUMENTCODES (
    SLNO             INTEGER,
    DOC_CODE         VARCHAR(7) NOT NULL PRIMARY KEY,
    DOC_DESCRIPTION  VARCHAR(200),
    DOC_HEADER       VARCHAR(200)
);

CREATE TABLE M_TBL_DOCUMENTACCOUNT_COMB (
    DOC_CODE      VARCHAR(7) NOT NULL,
    ACC_CODE      VARCHAR(50) NOT NULL,
    ACCOUNT_DESC  VARCHAR(200),
    PRIMARY KEY (DOC_CODE, ACC_CODE)
);

CREATE TABLE M_TBL_CODES (
    CODE       VARCHAR(20) NOT NULL PRIMARY KEY,
    CODE_LIST  VARCHAR(1000)
);

CREATE TABLE M_TBL_TRANSACTION (
    DOC_CODE                 VARCHAR(7) NOT NULL,
    DOC_NO                   BIGINT NOT NULL,
    DOC_DATE                 {{MOMENT}},
    DOC_DESC                 VARCHAR(2000),
    IN_DOCCODE               VARCHAR(7),
    IN_DOCNO                 BIGINT,
    IN_DOCDATE               {{MOMENT}},
    FILENO                   VARCHAR(50),
    LEAD_NO                  BIGINT,
    QUOTATION_NO             BIGINT,
    PARTY_CODE               BIGINT,
    PARTY_ALIASNAME          VARCHAR(200),
    TO_ACC                   VARCHAR(50),
    ACC_CODE                 VARCHAR(50),
    BILL_NO                  VARCHAR(50),
    TOURIST_NAME             VARCHAR(200),
    TOURIST_MOBNO            VARCHAR(50),
    TOURIST_EMAIL            VARCHAR(200),
    TOURIST_PAN              VARCHAR(50),
    TOURIST_AADHAR           VARCHAR(50),
    TOURIST_PASSPORT         VARCHAR(50),
    TOURIST_DRVLICENSE       VARCHAR(50),
    BOOKED_BY                VARCHAR(200),
    CONSULTANT_CODE          BIGINT,
    CONSLT_OPS               BIGINT,
    LEADTYPE_CODE            BIGINT,
    LEADREQ_CODE             BIGINT,
    LEADSTATUS_CODE          BIGINT,
    CONSUTLTANT_RESPONSETXT  VARCHAR(2000),
    NOOF_PAX                 INTEGER,
    NOOF_CHILD               INTEGER,
    CHILD_AGES               VARCHAR(100),
    START_DT                 {{MOMENT}},
    END_DT                   {{MOMENT}},
    TOUR_DAYS                INTEGER,
    TOTAL_AMOUNT             NUMERIC(18,2),
    MARKUP_ON                VARCHAR(50),
    COMM_PER                 NUMERIC(18,2),
    COMM_AMOUNT              NUMERIC(18,2),
    TAX_PER                  NUMERIC(18,2),
    TAX_AMT                  NUMERIC(18,2),
    DISC_AMT                 NUMERIC(18,2),
    TAXIBLE_AMT              NUMERIC(18,2),
    CGST_PER                 NUMERIC(18,2),
    CGST_AMT                 NUMERIC(18,2),
    SGST_PER                 NUMERIC(18,2),
    SGST_AMT                 NUMERIC(18,2),
    IGST_PER                 NUMERIC(18,2),
    IGST_AMT                 NUMERIC(18,2),
    ADV_AMOUNT               NUMERIC(18,2),
    BALANCE_AMT              NUMERIC(18,2),
    SAC_CODE                 VARCHAR(50),
    GST_INVNO                VARCHAR(50),
    GST_DESC                 VARCHAR(500),
    GST_FOR                  VARCHAR(50),
    INV_DETSLNO              INTEGER,
    INV_RATE                 NUMERIC(18,2),
    INV_QTY                  NUMERIC(18,2),
    INV_AMT                  NUMERIC(18,2),
    GRAND_TOTAL              NUMERIC(18,2),
    AMT_INWORDS              VARCHAR(500),
    DB_AMT                   NUMERIC(18,2),
    CR_AMT                   NUMERIC(18,2),
    HOTEL_CODE               BIGINT,
    HOTEL_NAME               VARCHAR(200),
    HOTEL_PLACE              VARCHAR(200),
    ROOMTYPE_CODE            BIGINT,
    ROOM_TYPE2               VARCHAR(200),
    MEALPLAN_CODE            BIGINT,
    NOOF_ROOM                INTEGER,
    ROOM_RATE                NUMERIC(18,2),
    DAYS_ROOM                INTEGER,
    TOTL_ROOMCOST            NUMERIC(18,2),
    NOOF_ROOMSNGL            INTEGER,
    SNGLROOM_RATE            NUMERIC(18,2),
    DAYS_ROOMSNGL            INTEGER,
    TOTL_SNGLROOMCOST        NUMERIC(18,2),
    NOOF_EXTBED              INTEGER,
    EXTRBED_RATE             NUMERIC(18,2),
    DAYS_EXTBED              INTEGER,
    TOTL_EXTRABEDCOST        NUMERIC(18,2),
    NOOF_CWB                 INTEGER,
    CWB_RATE                 NUMERIC(18,2),
    DAYS_CWB                 INTEGER,
    TOTL_CWBCOST             NUMERIC(18,2),
    NOOF_CNB                 INTEGER,
    CNB_RATE                 NUMERIC(18,2),
    DAYS_CNB                 INTEGER,
    TOTL_CNBCOST             NUMERIC(18,2),
    VEH_BRANDID              BIGINT,
    VEH_NOS                  INTEGER,
    VEH_RATE                 NUMERIC(18,2),
    OTHRCHRG_QTY             INTEGER,
    OTHRCHRG_RATE            NUMERIC(18,2),
    VBS_SERVICE              VARCHAR(200),
    VBS_VOCODE               BIGINT,
    PAY_MODEID               BIGINT,
    TO_BANKID                BIGINT,
    BANK_ID                  BIGINT,
    INSTR_NO                 VARCHAR(50),
    INSTR_DATE               {{MOMENT}},
    INSTR_CLEARD             VARCHAR(1),
    INSTR_CLRDT              {{MOMENT}},
    COLL_BY                  VARCHAR(200),
    ADJ_TYPE                 VARCHAR(20),
    REMARKS                  VARCHAR(2000),
    DOC_STATUS               VARCHAR(10),
    CBPTSTATUS_CODE          BIGINT,
    CBPT_STATUS_UPDBY        VARCHAR(100),
    CBPT_STATUS_UPDON        {{MOMENT}},
    CBPTSTATUS_CODE_O        BIGINT,
    CBPT_STATUS_O_UPDBY      VARCHAR(100),
    CBPT_STATUS_O_UPDON      {{MOMENT}},
    LCK_LEAD                 VARCHAR(1),
    LCK_UPDATEBY             VARCHAR(100),
    LCK_UPDATEON             {{MOMENT}},
    LCK_CBPT                 VARCHAR(1),
    LCK_MONEYRCPT            VARCHAR(1),
    LCK_ANCP01               VARCHAR(1),
    LCK_ANCP02               VARCHAR(1),
    LCK_ANCP03               VARCHAR(1),
    LCK_PAYMENT              VARCHAR(1),
    CREATED_BY               VARCHAR(100),
    CREATED_ON               {{MOMENT}},
    UPDATE_BY                VARCHAR(100),
    UPDATE_ON                {{MOMENT}},
    CNCL_BY                  VARCHAR(100),
    CNCL_ON                  {{MOMENT}},
    REASON_CNCL              VARCHAR(500)
);
-- One row per key: header rows by (code, number); the pairs of a bulk posting also by
-- booking; invoice lines also by line number. Two rows under one key are a doubled document.
CREATE UNIQUE INDEX UX_TRN_KEY ON M_TBL_TRANSACTION
    (DOC_CODE, DOC_NO, COALESCE(IN_DOCNO, -1), COALESCE(INV_DETSLNO, -1));
-- Everything posted against a booking, summed: covers the balance queries without the table.
CREATE INDEX IX_TRN_INDOC ON M_TBL_TRANSACTION
    (IN_DOCCODE, IN_DOCNO, PARTY_CODE, DOC_STATUS, DOC_CODE, DB_AMT, CR_AMT);
-- A party's ledger and outstanding, by party then date.
CREATE INDEX IX_TRN_PARTY ON M_TBL_TRANSACTION
    (PARTY_CODE, DOC_STATUS, DOC_CODE, DOC_DATE, DB_AMT, CR_AMT);
-- Between-dates listings.
CREATE INDEX IX_TRN_DATE ON M_TBL_TRANSACTION (DOC_DATE, DOC_CODE);
