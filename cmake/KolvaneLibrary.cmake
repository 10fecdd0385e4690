# kolvane_library(NAME DEPS...): one static library per source folder, made
# from every .cpp and .h in that folder. The folder's include root is src/,
# so code includes "geometry/StrokePoint.h" and the like. A folder that has
# no sources yet becomes an interface library that only forwards its deps.
function(kolvane_library name)
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  set(has_cpp FALSE)
  foreach(f IN LISTS sources)
    if(f MATCHES "\\.cpp$")
      set(has_cpp TRUE)
    endif()
  endforeach()
  if(has_cpp)
    add_library(kolvane_${name} STATIC ${sources})
    target_include_directories(kolvane_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(kolvane_${name} PUBLIC ${ARGN})
  else()
    add_library(kolvane_${name} INTERFACE)
    target_include_directories(kolvane_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(kolvane_${name} INTERFACE ${ARGN})
  endif()
endfunction()
