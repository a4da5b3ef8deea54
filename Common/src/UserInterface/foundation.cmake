# The conversions to and from Qt name Qt types in their interface, so callers of
# the toolkit get Qt's headers and libraries with it.
target_link_libraries(OrbiskCommonUI INTERFACE Qt5::Core Qt5::Gui)
