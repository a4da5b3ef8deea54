# Suites of the toolkit's dialogs, sheets and controls.
studystation_add_tests(NAME OrbiskAlertsAndSheetsTests GUI
  SOURCES controls/AlertBoxTest.cpp controls/ModalSheetsTest.cpp controls/SheetTestSupport.cpp
  LIBS OrbiskCommonUI)
studystation_add_tests(NAME OrbiskControlsTests GUI
  SOURCES controls/WindowSurveillorThatWaitsForInactivityTest.cpp controls/SheetTestSupport.cpp
  LIBS OrbiskCommonUI)
