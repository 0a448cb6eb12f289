-- Vehicle and other-charge notes are supplier lines too (keyed by their own code and number,
-- line 0): the seeded request and cancellation mails name the supplier rather than a hotel and
-- gain the rows a transporter or another supplier needs. A row whose value is empty for a kind
-- is left out of that kind's mail. One row a line, so that the administrator reads what he
-- edits. Templates the administrator has edited are left alone.
UPDATE M_TBL_SUPPLIER_TEMPLATE SET MAIL_SUBJECT = 'BOOKING REQUEST - CBPT {BOOKING_NO} - {SUPPLIER}',
MAIL_BODY = '<p>Dear Reservations Team, {SUPPLIER}</p>
<p>Please book and confirm the following:</p>
<table>
<tr><td>Guest</td><td>{TOURIST}</td></tr>
<tr><td>Check-in</td><td>{CHECK_IN}</td></tr>
<tr><td>Check-out</td><td>{CHECK_OUT}</td></tr>
<tr><td>Nights</td><td>{NIGHTS}</td></tr>
<tr><td>Rooms</td><td>{ROOMS}</td></tr>
<tr><td>Meal plan</td><td>{MEAL_PLAN}</td></tr>
<tr><td>Service</td><td>{SERVICE}</td></tr>
<tr><td>Dates</td><td>{SERVICE_DATES}</td></tr>
<tr><td>Days</td><td>{DAYS}</td></tr>
<tr><td>Details</td><td>{REMARKS}</td></tr>
<tr><td>Travellers</td><td>{TRAVELLERS}</td></tr>
<tr><td>Our booking no.</td><td>{BOOKING_NO}</td></tr>
</table>
<p>Kindly reply with your confirmation number to {REPLY_TO}.</p>
<p>Regards,<br>{COMPANY}</p>'
WHERE TEMPLATE_KIND = 'REQUEST' AND UPDATE_BY IS NULL;

UPDATE M_TBL_SUPPLIER_TEMPLATE SET MAIL_SUBJECT = 'CANCELLATION - CBPT {BOOKING_NO} - {SUPPLIER}',
MAIL_BODY = '<p>Dear Reservations Team, {SUPPLIER}</p>
<p>Please cancel the following booking:</p>
<table>
<tr><td>Guest</td><td>{TOURIST}</td></tr>
<tr><td>Check-in</td><td>{CHECK_IN}</td></tr>
<tr><td>Check-out</td><td>{CHECK_OUT}</td></tr>
<tr><td>Rooms</td><td>{ROOMS}</td></tr>
<tr><td>Meal plan</td><td>{MEAL_PLAN}</td></tr>
<tr><td>Service</td><td>{SERVICE}</td></tr>
<tr><td>Dates</td><td>{SERVICE_DATES}</td></tr>
<tr><td>Your confirmation no.</td><td>{CONFIRM_NO}</td></tr>
<tr><td>Our booking no.</td><td>{BOOKING_NO}</td></tr>
</table>
<p>Kindly acknowledge the cancellation to {REPLY_TO}.</p>
<p>Regards,<br>{COMPANY}</p>'
WHERE TEMPLATE_KIND = 'CANCELLATION' AND UPDATE_BY IS NULL;
