-- The GST returns window is reached from the queries menu like the other invoice lists, and
-- its rights are granted like every entry's. Numbered after the entries present, added once.
INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION)
SELECT m.NEXT_ID, 5, 'QUERIES', 'mnu_GstReturns', 'GST RETURNS ( GSTR-1 / GSTR-3B )'
FROM (SELECT COALESCE(MAX(MENU_ID), 0) + 1 AS NEXT_ID FROM M_TBL_MENUDETAILS) m
WHERE NOT EXISTS (SELECT 1 FROM M_TBL_MENUDETAILS WHERE MENU_NAME = 'mnu_GstReturns');
