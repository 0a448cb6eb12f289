-- Requests to suppliers and their answers: each supplier line of a booking (a hotel line of
-- the booked quotation, named by the quotation's line code, number and line) holds its latest
-- supplier status, and every step (request, answer, voucher, cancellation mail) is kept with
-- who, when and to whom. The mails are built from templates the administrator edits.

CREATE TABLE M_TBL_SUPPLIER_REQUEST (
    LINE_CODE        VARCHAR(7) NOT NULL,
    LINE_DOCNO       BIGINT NOT NULL,
    LINE_NO          BIGINT NOT NULL,
    CBPT_NO          BIGINT NOT NULL,
    SUPPLIER_STATUS  VARCHAR(20) NOT NULL,
    CONFIRM_NO       VARCHAR(100),
    STATUS_NOTE      VARCHAR(500),
    SENT_TO          VARCHAR(500),
    REQUESTED_BY     VARCHAR(100),
    REQUESTED_ON     {{MOMENT}},
    UPDATE_BY        VARCHAR(100),
    UPDATE_ON        {{MOMENT}},
    PRIMARY KEY (LINE_CODE, LINE_DOCNO, LINE_NO)
);
CREATE INDEX IX_SUPPLIER_REQUEST_CBPT ON M_TBL_SUPPLIER_REQUEST (CBPT_NO);
CREATE INDEX IX_SUPPLIER_REQUEST_STATUS ON M_TBL_SUPPLIER_REQUEST (SUPPLIER_STATUS, REQUESTED_ON);

CREATE TABLE M_TBL_SUPPLIER_REQUEST_LOG (
    STEP_ID      BIGINT NOT NULL PRIMARY KEY,
    LINE_CODE    VARCHAR(7) NOT NULL,
    LINE_DOCNO   BIGINT NOT NULL,
    LINE_NO      BIGINT NOT NULL,
    CBPT_NO      BIGINT NOT NULL,
    STEP         VARCHAR(20) NOT NULL,
    STEP_NOTE    VARCHAR(500),
    SENT_TO      VARCHAR(500),
    STEP_BY      VARCHAR(100),
    STEP_ON      {{MOMENT}}
);
CREATE INDEX IX_SUPPLIER_STEP_LINE ON M_TBL_SUPPLIER_REQUEST_LOG (LINE_CODE, LINE_DOCNO, LINE_NO, STEP_ID);
CREATE INDEX IX_SUPPLIER_STEP_CBPT ON M_TBL_SUPPLIER_REQUEST_LOG (CBPT_NO);

-- The mails' templates: a subject and an HTML body with {PLACEHOLDERS}.
CREATE TABLE M_TBL_SUPPLIER_TEMPLATE (
    TEMPLATE_KIND  VARCHAR(20) NOT NULL PRIMARY KEY,
    MAIL_SUBJECT   VARCHAR(200) NOT NULL,
    MAIL_BODY      VARCHAR(4000) NOT NULL,
    UPDATE_BY      VARCHAR(100),
    UPDATE_ON      {{MOMENT}}
);
INSERT INTO M_TBL_SUPPLIER_TEMPLATE (TEMPLATE_KIND, MAIL_SUBJECT, MAIL_BODY) VALUES
('REQUEST', 'BOOKING REQUEST - CBPT {BOOKING_NO} - {HOTEL}',
 '<p>Dear Reservations Team, {HOTEL}</p><p>Please book and confirm the following stay:</p><table>'
 || '<tr><td>Guest</td><td>{TOURIST}</td></tr><tr><td>Check-in</td><td>{CHECK_IN}</td></tr>'
 || '<tr><td>Check-out</td><td>{CHECK_OUT}</td></tr><tr><td>Nights</td><td>{NIGHTS}</td></tr>'
 || '<tr><td>Rooms</td><td>{ROOMS}</td></tr><tr><td>Meal plan</td><td>{MEAL_PLAN}</td></tr>'
 || '<tr><td>Travellers</td><td>{TRAVELLERS}</td></tr><tr><td>Our booking no.</td><td>{BOOKING_NO}</td></tr>'
 || '</table><p>Kindly reply with your confirmation number to {REPLY_TO}.</p><p>Regards,<br>{COMPANY}</p>'),
('VOUCHER', 'HOTEL VOUCHER - CBPT {BOOKING_NO} - {HOTEL}',
 '<p>Dear {ADDRESSEE},</p><p>Please find attached the hotel voucher for {TOURIST} at {HOTEL}, '
 || '{CHECK_IN} to {CHECK_OUT} ({NIGHTS} nights), {ROOMS}, {MEAL_PLAN}, {TRAVELLERS} travellers. '
 || 'Confirmation no. {CONFIRM_NO}.</p><p>For any question please write to {REPLY_TO}.</p>'
 || '<p>Regards,<br>{COMPANY}</p>'),
('CANCELLATION', 'CANCELLATION - CBPT {BOOKING_NO} - {HOTEL}',
 '<p>Dear Reservations Team, {HOTEL}</p><p>Please cancel our booking no. {BOOKING_NO} for {TOURIST}: '
 || '{CHECK_IN} to {CHECK_OUT}, {ROOMS}, {MEAL_PLAN} (your confirmation no. {CONFIRM_NO}).</p>'
 || '<p>Kindly acknowledge the cancellation to {REPLY_TO}.</p><p>Regards,<br>{COMPANY}</p>');

-- After how many hours an unanswered request shows on the office's board.
ALTER TABLE MST_LOCATIONDETAILS ADD COLUMN REQUEST_HOURS INTEGER;

-- The requests window is reached from the transactions menu beside the hotel status, the
-- templates from the masters; whoever may update hotel statuses may request, added once.
INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION)
SELECT m.NEXT_ID, 3, 'TRANSACTION', 'mnu_SupplierRequests', 'SUPPLIER REQUESTS'
FROM (SELECT COALESCE(MAX(MENU_ID), 0) + 1 AS NEXT_ID FROM M_TBL_MENUDETAILS) m
WHERE NOT EXISTS (SELECT 1 FROM M_TBL_MENUDETAILS WHERE MENU_NAME = 'mnu_SupplierRequests');
INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION)
SELECT m.NEXT_ID, 1, 'MASTER', 'mnu_SupplierTemplates', 'SUPPLIER MAIL TEMPLATES'
FROM (SELECT COALESCE(MAX(MENU_ID), 0) + 1 AS NEXT_ID FROM M_TBL_MENUDETAILS) m
WHERE NOT EXISTS (SELECT 1 FROM M_TBL_MENUDETAILS WHERE MENU_NAME = 'mnu_SupplierTemplates');
INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP)
SELECT s.LOGIN_ID, n.MENU_ID, s.SHOW_MENU, s.MENU_DISP
FROM M_TBL_MENUSHOW s JOIN M_TBL_MENUDETAILS h ON h.MENU_ID = s.MENU_ID AND h.MENU_NAME = 'mnu_UpdHotelStatus'
JOIN M_TBL_MENUDETAILS n ON n.MENU_NAME = 'mnu_SupplierRequests'
WHERE NOT EXISTS (SELECT 1 FROM M_TBL_MENUSHOW x WHERE x.LOGIN_ID = s.LOGIN_ID AND x.MENU_ID = n.MENU_ID);
