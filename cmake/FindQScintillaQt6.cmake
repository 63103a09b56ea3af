# Finds QScintilla built for Qt 6 (Debian: libqscintilla2-qt6-dev) and defines QScintilla::QScintilla.
find_path(QSCINTILLA_INCLUDE_DIR Qsci/qsciscintilla.h
  PATHS /usr/include/${CMAKE_LIBRARY_ARCHITECTURE}/qt6 /usr/include/qt6)
find_library(QSCINTILLA_LIBRARY NAMES qscintilla2_qt6)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(QScintillaQt6 DEFAULT_MSG QSCINTILLA_LIBRARY QSCINTILLA_INCLUDE_DIR)
if(QScintillaQt6_FOUND AND NOT TARGET QScintilla::QScintilla)
  add_library(QScintilla::QScintilla UNKNOWN IMPORTED)
  set_target_properties(QScintilla::QScintilla PROPERTIES
    IMPORTED_LOCATION ${QSCINTILLA_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${QSCINTILLA_INCLUDE_DIR}
    INTERFACE_LINK_LIBRARIES "Qt6::Widgets;Qt6::PrintSupport")
endif()
