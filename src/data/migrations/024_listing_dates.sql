-- The listings read a code's documents between two dates, newest first: by this index they
-- read those rows only, where without it SQLite read every document of the code (its other
-- indexes led by the code serve other columns).
CREATE INDEX IX_TRN_CODE_DATE ON M_TBL_TRANSACTION (DOC_CODE, DOC_DATE);
