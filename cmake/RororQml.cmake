# One QML module per interface folder. Each folder's CMakeLists.txt calls
#   roror_qml_module(<name> URI <Uri> QML_FILES a.qml b.qml [SINGLETONS AppTheme.qml] [RESOURCES ...])
# The modules are static; their plugins are collected so that every program linking
# `roror_qml` gets all of them imported.
function(roror_qml_module name)
  cmake_parse_arguments(ARG "" "URI" "QML_FILES;SINGLETONS;RESOURCES" ${ARGN})
  foreach(file IN LISTS ARG_SINGLETONS)
    set_source_files_properties(${file} PROPERTIES QT_QML_SINGLETON_TYPE TRUE)
  endforeach()
  set(target roror_qml_${name})
  qt_add_qml_module(${target}
    URI ${ARG_URI}
    VERSION 1.0
    STATIC
    QML_FILES ${ARG_QML_FILES} ${ARG_SINGLETONS}
    RESOURCES ${ARG_RESOURCES}
    IMPORTS Roror.App
    RESOURCE_PREFIX /qt/qml
  )
  target_link_libraries(${target} PRIVATE roror_app Qt6::Quick)
  string(REPLACE "." "_" plugin_class "${ARG_URI}")
  set_property(GLOBAL APPEND PROPERTY ROROR_QML_PLUGINS "${target}plugin")
  set_property(GLOBAL APPEND PROPERTY ROROR_QML_PLUGIN_CLASSES "${plugin_class}Plugin")
  set_property(GLOBAL APPEND PROPERTY ROROR_QML_LINT_TARGETS "${target}_qmllint")
endfunction()
