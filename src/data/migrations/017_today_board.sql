-- The TODAY board and the reminders sent from it: two entries of the menu's catalogue (the
-- board, under the queries; the reminder texts, with the administration's entries), numbered
-- after the entries present and added once, and the text of a reminder of each kind.
INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION)
SELECT m.NEXT_ID, 5, 'QUERIES', 'mnu_TodayBoard', 'TODAY - DUES AND DEADLINES'
FROM (SELECT COALESCE(MAX(MENU_ID), 0) + 1 AS NEXT_ID FROM M_TBL_MENUDETAILS) m
WHERE NOT EXISTS (SELECT 1 FROM M_TBL_MENUDETAILS WHERE MENU_NAME = 'mnu_TodayBoard');
INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION)
SELECT m.NEXT_ID, 1, 'MASTER', 'mnu_ReminderTemplates', 'REMINDER E-MAIL TEMPLATES'
FROM (SELECT COALESCE(MAX(MENU_ID), 0) + 1 AS NEXT_ID FROM M_TBL_MENUDETAILS) m
WHERE NOT EXISTS (SELECT 1 FROM M_TBL_MENUDETAILS WHERE MENU_NAME = 'mnu_ReminderTemplates');

-- A reminder's subject and body for each kind (CUSTOMER, SUPPLIER, HOTEL). The body is HTML
-- (a line break typed in it counts as one); {PARTY} {BOOKING} {DOCUMENT} {DETAIL} {DUE_DATE} {AMOUNT}
-- {BALANCE} {TOUR_DATE} {COMPANY} are filled with the row's values, escaped.
CREATE TABLE M_TBL_REMINDER_TEMPLATE (
    REMINDER_KIND  VARCHAR(20) NOT NULL PRIMARY KEY,
    MAIL_SUBJECT   VARCHAR(200) NOT NULL,
    MAIL_BODY      VARCHAR(4000) NOT NULL,
    UPDATE_BY      VARCHAR(100),
    UPDATE_ON      {{MOMENT}}
);
INSERT INTO M_TBL_REMINDER_TEMPLATE (REMINDER_KIND, MAIL_SUBJECT, MAIL_BODY) VALUES
('CUSTOMER', 'PAYMENT REMINDER - BOOKING {BOOKING}',
 'Dear {PARTY},<br><br>This is a reminder that {DETAIL} of your booking {BOOKING} (tour starting {TOUR_DATE}) is due on {DUE_DATE}.<br>Amount: {AMOUNT}<br>Balance to pay: {BALANCE}<br><br>If you have already paid, please ignore this message.<br><br>Regards,<br>{COMPANY}'),
('SUPPLIER', 'PAYMENT DUE - {DOCUMENT}',
 'Dear {PARTY},<br><br>Your {DETAIL} {DOCUMENT} for booking {BOOKING} falls due on {DUE_DATE}.<br>Amount: {AMOUNT}<br>Balance: {BALANCE}<br><br>Please let us know if your records differ.<br><br>Regards,<br>{COMPANY}'),
('HOTEL', 'BOOKING {BOOKING} - {DETAIL}',
 'Dear {PARTY},<br><br>Regarding our reservation for booking {BOOKING} (tour starting {TOUR_DATE}): {DETAIL}, on {DUE_DATE}.<br>Kindly hold the rooms until we confirm, or let us know before that date.<br><br>Regards,<br>{COMPANY}');
