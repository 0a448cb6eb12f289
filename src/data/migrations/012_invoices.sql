-- Invoices: the GST rates per kind of supply, and a tax invoice number printed on one live
-- invoice only, whichever workstation saves it (a cancelled invoice frees its number).
CREATE TABLE IF NOT EXISTS M_TBL_GSTMAINTENANCE (
    GST_FOR     VARCHAR(50) NOT NULL PRIMARY KEY,
    SAC_CODE    VARCHAR(50),
    CGST_PER    NUMERIC(18,2),
    SGST_PER    NUMERIC(18,2),
    IGST_PER    NUMERIC(18,2),
    CREATED_BY  VARCHAR(100),
    CREATED_ON  {{MOMENT}},
    UPDATE_BY   VARCHAR(100),
    UPDATE_ON   {{MOMENT}}
);
CREATE UNIQUE INDEX UX_TRN_LIVE_GST_INVNO ON M_TBL_TRANSACTION (GST_INVNO)
    WHERE DOC_CODE = 'INV001' AND DOC_STATUS = 'APPRV';
-- The invoices of a booking, summed against its quotation.
CREATE INDEX IF NOT EXISTS IX_TRN_INVOICE_BOOKING ON M_TBL_TRANSACTION (DOC_CODE, IN_DOCNO, DOC_STATUS);
