-- The quotation-agent combination: which agent (a party) was given which quotation.
CREATE TABLE IF NOT EXISTS M_TBL_QUOT_AGENT_COMB (
    DOC_NO        BIGINT NOT NULL PRIMARY KEY,
    PARTY_CODE    BIGINT NOT NULL,
    QUOTATION_NO  BIGINT NOT NULL,
    CREATED_BY    VARCHAR(100),
    CREATED_ON    {{MOMENT}},
    UPDATE_BY     VARCHAR(100),
    UPDATE_ON     {{MOMENT}}
);
-- An agent is combined with a quotation once, whichever workstation adds it.
CREATE UNIQUE INDEX IF NOT EXISTS UX_QUOT_AGENT_COMB ON M_TBL_QUOT_AGENT_COMB (PARTY_CODE, QUOTATION_NO);
-- The search's date range.
CREATE INDEX IF NOT EXISTS IX_QUOT_AGENT_CREATED ON M_TBL_QUOT_AGENT_COMB (CREATED_ON);
-- The bookings of a quotation: the detailed quotation list asks for each of its rows whether
-- the quotation is booked.
CREATE INDEX IF NOT EXISTS IX_TRN_QUOTATION ON M_TBL_TRANSACTION (QUOTATION_NO, LEAD_NO, DOC_CODE, DOC_STATUS);
