# On Windows a program carries its icon and its version in a resource that
# Explorer reads; elsewhere this does nothing.
#   vcurve_windows_resources(<target> <icon.ico> <description>)
function(vcurve_windows_resources target icon description)
  if(NOT WIN32)
    return()
  endif()
  set(resource_icon ${icon})
  set(resource_description ${description})
  set(resource_name ${target})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows-version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
