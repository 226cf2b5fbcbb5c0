# The widgets that hosts place beside a drawing: the ruler controls (controls/) and the
# property inspector (inspector/), as the library mycad_widgets (alias MyCAD::Widgets),
# built on the component. Nothing is built while the folders hold no sources.
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
endif()
