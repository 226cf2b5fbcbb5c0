# The component library, in two layers:
#   mycad_platform  platform/   the canvas, pens, bitmaps, streams and dialogs on Qt; it is
#                               compiled with no include path of the project, so it cannot
#                               reach a header of the drawing component above it
#   mycad           component/  the drawing component, linking the platform layer publicly
# Both compile into one library, static by default, libmycad.so with BUILD_SHARED_LIBS.
include(GenerateExportHeader)

# Headers made at configure time: the export macros, the version and the forwarding
# <CAD.h>. Installed next to component/ and platform/ under include/MyCAD.
set(MYCAD_GENERATED_INCLUDE ${CMAKE_CURRENT_BINARY_DIR}/mycad_include)
configure_file(${CMAKE_CURRENT_LIST_DIR}/mycad_version.h.in ${MYCAD_GENERATED_INCLUDE}/mycad_version.h @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/CAD.h.in ${MYCAD_GENERATED_INCLUDE}/CAD.h COPYONLY)

file(GLOB MYCAD_PLATFORM_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/platform/*.cpp ${PROJECT_SOURCE_DIR}/platform/*.h)
file(GLOB_RECURSE MYCAD_COMPONENT_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/component/*.cpp ${PROJECT_SOURCE_DIR}/component/*.h)

add_library(mycad_platform OBJECT ${MYCAD_PLATFORM_SOURCES})
# Only the generated headers: platform/ includes its own headers as siblings.
target_include_directories(mycad_platform PRIVATE ${MYCAD_GENERATED_INCLUDE})
target_include_directories(mycad_platform INTERFACE
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}> $<BUILD_INTERFACE:${MYCAD_GENERATED_INCLUDE}>)
target_link_libraries(mycad_platform PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Svg PRIVATE JPEG::JPEG)
target_compile_features(mycad_platform PUBLIC cxx_std_20)

add_library(mycad ${MYCAD_COMPONENT_SOURCES})
add_library(MyCAD::MyCAD ALIAS mycad)
target_link_libraries(mycad PUBLIC $<BUILD_INTERFACE:mycad_platform>
  Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Svg PRIVATE JPEG::JPEG)
target_include_directories(mycad PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
  $<BUILD_INTERFACE:${MYCAD_GENERATED_INCLUDE}>
  $<INSTALL_INTERFACE:include/MyCAD>)
target_compile_features(mycad PUBLIC cxx_std_20)

generate_export_header(mycad BASE_NAME MYCAD EXPORT_FILE_NAME ${MYCAD_GENERATED_INCLUDE}/mycad_export.h)
foreach(layer mycad_platform mycad)
  set_target_properties(${layer} PROPERTIES POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  # Both layers end up in the one library: both export what their headers declare.
  target_compile_definitions(${layer} PRIVATE mycad_EXPORTS)
  mycad_warnings(${layer})
  mycad_precompile(${layer})
endforeach()
if(NOT BUILD_SHARED_LIBS)
  target_compile_definitions(mycad_platform PUBLIC MYCAD_STATIC_DEFINE)
  target_compile_definitions(mycad PUBLIC MYCAD_STATIC_DEFINE)
endif()
set_target_properties(mycad PROPERTIES EXPORT_NAME MyCAD
  VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})

include(${CMAKE_CURRENT_LIST_DIR}/MyCADInstall.cmake)
