# The hardware wrappers (src/Hardware/) stand on the QPX device driver.
target_link_libraries(VTPlugInCommon PUBLIC qpx_device_driver)
