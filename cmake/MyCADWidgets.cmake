# The widgets that hosts place beside a drawing: the ruler controls (controls/) and the
# property inspector (inspector/), as the library mycad_widgets (alias MyCAD::Widgets),
# built on the component. Nothing is built while the folders hold no sources. Installed
# with the component: the library into the MyCAD package (MyCAD::Widgets), the headers
# under include/MyCAD/controls and include/MyCAD/inspector.
file(GLOB_RECURSE MYCAD_WIDGET_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/controls/*.cpp ${PROJECT_SOURCE_DIR}/controls/*.h
  ${PROJECT_SOURCE_DIR}/inspector/*.cpp ${PROJECT_SOURCE_DIR}/inspector/*.h)
list(FILTER MYCAD_WIDGET_SOURCES INCLUDE REGEX "\\.cpp$|\\.h$")
set(has_cpp FALSE)
foreach(f IN LISTS MYCAD_WIDGET_SOURCES)
  if(f MATCHES "\\.cpp$")
    set(has_cpp TRUE)
  endif()
endforeach()
if(has_cpp)
  add_library(mycad_widgets ${MYCAD_WIDGET_SOURCES})
  add_library(MyCAD::Widgets ALIAS mycad_widgets)
  target_link_libraries(mycad_widgets PUBLIC mycad)
  set_target_properties(mycad_widgets PROPERTIES POSITION_INDEPENDENT_CODE ON EXPORT_NAME Widgets
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
  mycad_warnings(mycad_widgets)
  mycad_precompile(mycad_widgets)
  install(TARGETS mycad_widgets EXPORT MyCADTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/controls ${PROJECT_SOURCE_DIR}/inspector
    DESTINATION include/MyCAD FILES_MATCHING PATTERN "*.h")
endif()
