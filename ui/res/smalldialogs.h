#pragma once
// Ids of the lock and unlock dialogs.
#define IDD_LOCK_DOCUMENT 322         // "Lock document"
#define IDD_UNLOCK_DOCUMENT 323       // "Unlock document"
#define IDC_LOCK_TEMPLATE 2034        // check box "Lock template"
#define IDC_LOCK_PASSWORD 1032        // the password
#define IDC_LOCK_CONFIRM 1033         // the password again
