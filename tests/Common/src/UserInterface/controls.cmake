# Suites of the toolkit's dialogs, sheets and controls.
studystation_add_tests(NAME OrbiskAlertsAndSheetsTests GUI
  SOURCES controls/AlertBoxTest.cpp controls/ModalSheetsTest.cpp controls/SheetTestSupport.cpp
  LIBS OrbiskCommonUI)
studystation_add_tests(NAME OrbiskControlsTests GUI
  SOURCES controls/ChoiceDropdownExtendedMenuTest.cpp controls/DropdownButtonTest.cpp
          controls/AugmentedListBoxTest.cpp controls/TextOverImagePanelTest.cpp
          controls/WindowSurveillorThatWaitsForInactivityTest.cpp controls/SheetTestSupport.cpp
  LIBS OrbiskCommonUI VTPlugInCommon)
