-- The proforma invoice is cancelled from its own menu entry: without it a booking that has a
-- proforma could never be cancelled. Numbered after the entries present, added once.
INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION)
SELECT m.NEXT_ID, 6, 'CANCELLATION', 'mnu_CNCL_Inv006', 'CANCEL - PROFORMA INVOICE ( INV006 )'
FROM (SELECT COALESCE(MAX(MENU_ID), 0) + 1 AS NEXT_ID FROM M_TBL_MENUDETAILS) m
WHERE NOT EXISTS (SELECT 1 FROM M_TBL_MENUDETAILS WHERE MENU_NAME = 'mnu_CNCL_Inv006');
