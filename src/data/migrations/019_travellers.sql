-- The travellers of a booking, who sleeps in which room: the rooming list a hotel asks for.
-- Stored whole with the booking; a row's room type is one of the booking's hotel lines'.
CREATE TABLE M_TBL_BOOKING_TRAVELLER (
    CBPT_NO       BIGINT NOT NULL,
    LINE_NO       INTEGER NOT NULL,
    TITLE         VARCHAR(10),
    FIRST_NAME    VARCHAR(100),
    LAST_NAME     VARCHAR(100),
    SEX           VARCHAR(1),
    BIRTH_DT      {{MOMENT}},
    ID_NO         VARCHAR(30),
    ID_EXPIRY_DT  {{MOMENT}},
    PAX_KIND      VARCHAR(5),
    ROOM_NO       VARCHAR(10),
    ROOM_TYPE     VARCHAR(200),
    CREATED_BY    VARCHAR(100),
    CREATED_ON    {{MOMENT}},
    UPDATE_BY     VARCHAR(100),
    UPDATE_ON     {{MOMENT}},
    PRIMARY KEY (CBPT_NO, LINE_NO)
);
