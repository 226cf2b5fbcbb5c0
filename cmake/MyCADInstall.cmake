# Installs the library, its headers and a CMake package so that a host can
# find_package(MyCAD) and link MyCAD::MyCAD.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS mycad EXPORT MyCADTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY platform DESTINATION include/MyCAD FILES_MATCHING PATTERN "*.h")
install(DIRECTORY component DESTINATION include/MyCAD FILES_MATCHING PATTERN "*.h")
install(EXPORT MyCADTargets NAMESPACE MyCAD:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/MyCAD)

configure_package_config_file(cmake/MyCADConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/MyCADConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/MyCAD)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/MyCADConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/MyCADConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/MyCADConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/MyCAD)
