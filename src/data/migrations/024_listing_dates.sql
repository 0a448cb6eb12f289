-- The listings and searches read a code's documents between two dates, newest first, of a
-- status, and fill their status lists from a code's documents: by these indexes they read
-- those entries only. Without them SQLite read every document of the code through another
-- index led by the code (0.55 s to count an 8-month listing of hotel notes, 0.03 s by this).
CREATE INDEX IX_TRN_CODE_DATE ON M_TBL_TRANSACTION (DOC_CODE, DOC_DATE, DOC_STATUS);
CREATE INDEX IX_QUOT_CODE_DATE ON M_TBL_QUOTATION (DOC_CODE, DOC_DATE, DOC_STATUS);
