-- Bookings: the quotation lock a lead row carries beside its other lock flags, lock flags
-- that read as open until the booking status sets them, and one live booking per quotation.
ALTER TABLE M_TBL_TRANSACTION ADD COLUMN LCK_QUOT VARCHAR(1) DEFAULT 'N';
-- Bookings saved before carry no flags yet; a flag never set means open.
UPDATE M_TBL_TRANSACTION SET LCK_CBPT = COALESCE(LCK_CBPT, 'N'), LCK_MONEYRCPT = COALESCE(LCK_MONEYRCPT, 'N'),
    LCK_ANCP01 = COALESCE(LCK_ANCP01, 'N'), LCK_ANCP02 = COALESCE(LCK_ANCP02, 'N'),
    LCK_ANCP03 = COALESCE(LCK_ANCP03, 'N'), LCK_PAYMENT = COALESCE(LCK_PAYMENT, 'N')
WHERE DOC_CODE = 'CBPT01';
-- Two workstations cannot book one quotation twice; a cancelled booking frees it.
CREATE UNIQUE INDEX UX_TRN_LIVE_BOOKING ON M_TBL_TRANSACTION (QUOTATION_NO)
    WHERE DOC_CODE = 'CBPT01' AND DOC_STATUS <> 'CNCL';
