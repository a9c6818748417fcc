# The host build has no resource section: the files that tavelin.exe carries as resources are
# compiled into an object library instead, so native tests read exactly the bytes the exe carries.
#   tavelin_embed_resources(<object library> <resource name> <file> [<resource name> <file> ...])
# Link the object library into every native executable that loads these resources.
function(tavelin_embed_resources target)
  set(sources)
  set(args ${ARGN})
  while(args)
    list(POP_FRONT args name file)
    string(MAKE_C_IDENTIFIER "${name}" id)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded_${id}.cpp)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${out} -DNAME=${name}
              -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFileRun.cmake
      DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedFileRun.cmake
      COMMENT "Embedding resource ${name}")
    list(APPEND sources ${out})
  endwhile()
  add_library(${target} OBJECT ${sources})
  target_link_libraries(${target} PRIVATE classlib)
endfunction()
