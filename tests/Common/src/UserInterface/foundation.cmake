# Suites of the toolkit's foundation: the pump, logging, helpers, conversions, choice book.
studystation_add_tests(NAME OrbiskCommonUIPumpTests GUI
  SOURCES AsioPumpTest.cpp
  LIBS OrbiskCommonUI)
studystation_add_tests(NAME OrbiskCommonUILoggingTests
  SOURCES LogHelperFunctionsTest.cpp LogRedirectionTest.cpp
  LIBS OrbiskCommonUI)
studystation_add_tests(NAME OrbiskCommonUIHelpersTests
  SOURCES UrlEncodingTest.cpp FileReadingHelpersTest.cpp TextAndSystemHelpersTest.cpp wxQtConversionsTest.cpp
  LIBS OrbiskCommonUI)
studystation_add_tests(NAME OrbiskCommonUIGuiTests GUI
  SOURCES ChoiceBookWithHiddenCtrlTest.cpp GuiHelpersTest.cpp
  LIBS OrbiskCommonUI)
