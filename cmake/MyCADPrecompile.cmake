# Precompiled headers: every source of the project reads the same Qt and standard headers,
# which take more than half of its compile time. Each library parses them once;
# the test and benchmark programs reuse the header their support library built.
option(MYCAD_PRECOMPILED_HEADERS "Precompile the Qt and standard headers" ON)

set(MYCAD_PCH_HEADERS
  <QByteArray> <QHash> <QIODevice> <QImage> <QPainter> <QPainterPath> <QFont> <QFontMetricsF>
  <QString> <QStringList> <QWidget>
  <algorithm> <functional> <map> <memory> <string> <unordered_map> <vector>)

# Gives target its own precompiled header of the shared list and of the extra headers given.
function(mycad_precompile target)
  if(MYCAD_PRECOMPILED_HEADERS)
    target_precompile_headers(${target} PRIVATE ${MYCAD_PCH_HEADERS} ${ARGN})
  endif()
endfunction()

# Lets target reuse the precompiled header of from, built with the same flags.
function(mycad_precompile_reuse target from)
  if(MYCAD_PRECOMPILED_HEADERS)
    target_precompile_headers(${target} REUSE_FROM ${from})
  endif()
endfunction()
