#pragma once
// The two resource bundles compiled into the program by wxrc. Each registers
// its files in the memory file system and loads its XML into the process-wide
// wxXmlResource. Call once per process, bitmaps first, after the image and XRC
// handlers are installed.

void Init_bitmaps_XRC();
void Init_ui_db_XRC();
