# A source's suffix says which build it belongs to: *_win.cpp only to the Windows build,
# *_host.cpp only to the native one, every other .cpp to both.
function(tavelin_platform_sources out dir)
  file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(TAVELIN_PLATFORM STREQUAL win)
    list(FILTER all EXCLUDE REGEX "_host\\.cpp$")
  else()
    list(FILTER all EXCLUDE REGEX "_win\\.cpp$")
  endif()
  set(${out} ${all} PARENT_SCOPE)
endfunction()
