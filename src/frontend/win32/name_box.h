// The name box's resource numbers, for name_box.rc and the code that opens it.
#pragma once

#define IDD_NAME_BOX 200
#define IDC_NAME_PROMPT 100
#define IDC_NAME_LINE 101
