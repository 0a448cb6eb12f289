-- Balances and ages over a list of codes, party by party (the outstanding lists and their
-- ages): every live posting of the listed codes read from the index alone, grouped by party,
-- without a visit to the table's rows.
CREATE INDEX IX_LIST_TRN_CODE_PARTY ON M_TBL_TRANSACTION
    (DOC_CODE, DOC_STATUS, PARTY_CODE, DB_AMT, CR_AMT, DOC_DATE, DOC_NO, IN_DOCNO, INV_DETSLNO);
