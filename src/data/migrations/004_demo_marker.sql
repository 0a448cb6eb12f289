-- Rows added by the demo data set (tarvic-admin init without --no-demo): each table and key,
-- so that the demo rows can be told from real ones and the set is added only once.
CREATE TABLE DEMO_DATA (
    TABLE_NAME  VARCHAR(50) NOT NULL,
    ROW_KEY     VARCHAR(100) NOT NULL,
    ADDED_ON    {{MOMENT}},
    PRIMARY KEY (TABLE_NAME, ROW_KEY)
);
