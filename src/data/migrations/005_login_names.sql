-- Login names are upper case (the logon upper-cases what is typed) and unique whatever their
-- case. A name stored in lower case could never log on; it is upper-cased. Where that would
-- meet a name already taken, the row that can log on today (stored upper case, else the
-- lowest id) keeps the name and each other one becomes NAME#LOGIN_ID, listed in Manage
-- Logins for the administrator to rename or delete. Only the renamed rows change, and
-- each keeps a partner that does not, so the order the rows are visited in does not matter.
UPDATE MST_LOGINDETAILS SET USER_NAME = UPPER(USER_NAME) || '#' || CAST(LOGIN_ID AS VARCHAR(20))
WHERE EXISTS (SELECT 1 FROM MST_LOGINDETAILS o
              WHERE UPPER(o.USER_NAME) = UPPER(MST_LOGINDETAILS.USER_NAME)
                AND o.LOGIN_ID <> MST_LOGINDETAILS.LOGIN_ID
                AND ((o.USER_NAME = UPPER(o.USER_NAME) AND MST_LOGINDETAILS.USER_NAME <> UPPER(MST_LOGINDETAILS.USER_NAME))
                     OR ((o.USER_NAME = UPPER(o.USER_NAME)) = (MST_LOGINDETAILS.USER_NAME = UPPER(MST_LOGINDETAILS.USER_NAME))
                         AND o.LOGIN_ID < MST_LOGINDETAILS.LOGIN_ID)));
UPDATE MST_LOGINDETAILS SET USER_NAME = UPPER(USER_NAME) WHERE USER_NAME <> UPPER(USER_NAME);
CREATE UNIQUE INDEX UX_LOGIN_NAME ON MST_LOGINDETAILS (UPPER(USER_NAME));
