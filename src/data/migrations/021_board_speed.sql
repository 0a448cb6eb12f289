-- What the TODAY board reads at a big office's size without reading the tables whole.
-- A booking's instalments by booking, with what is summed of them: the board sums every
-- booking's (all of them, or those due before a day) in one pass over this index alone.
CREATE INDEX IX_BOARD_INSTALMENT ON M_TBL_BOOKING_INSTALMENT (CBPT_NO, DOC_STATUS, DUE_DT, INST_AMT);
-- The receipts against bookings, by booking, with their amounts: what each booking received.
-- The code leads, so that SQLite's planner prefers it to IX_TRN_INDOC's range of everything
-- posted against bookings.
CREATE INDEX IX_BOARD_RECEIPT ON M_TBL_TRANSACTION (DOC_CODE, IN_DOCCODE, IN_DOCNO, DOC_STATUS, DB_AMT)
    WHERE DOC_CODE = 'FRDB01';
-- The suppliers' notes and the payments to them against bookings, by booking and supplier:
-- what each supplier was owed and paid there, summed together in one pass.
CREATE INDEX IX_BOARD_SUPPLIER ON M_TBL_TRANSACTION (IN_DOCCODE, IN_DOCNO, PARTY_CODE, DOC_STATUS, DOC_CODE, CR_AMT)
    WHERE DOC_CODE IN ('ANCP01', 'ANCP02', 'ANCP03', 'FTCR01');
-- A document's head with what the board shows of a booking (its grand total, lead and
-- customer), so that every booking's total is compared with its schedule from the index.
CREATE INDEX IX_BOARD_BOOKING ON M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_STATUS, GRAND_TOTAL, LEAD_NO, PARTY_CODE);
-- Bookings by the day their tour starts.
CREATE INDEX IX_BOARD_TOUR_START ON M_TBL_TRANSACTION (DOC_CODE, START_DT);
-- Leads by follow-up date, the document code first as every other look-up of the table has it.
CREATE INDEX IX_BOARD_FOLLOWUP ON M_TBL_TRANSACTION (DOC_CODE, FOLLOWUP_DT);
