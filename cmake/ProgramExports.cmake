# The main program exports its libraries' functions and records to the acquisition module,
# which binds them by name at load time: every object of these libraries must be linked in,
# referenced by the program or not.
function(link_program_libraries target)
  set(archives)
  foreach(library IN LISTS ARGN)
    list(APPEND archives $<TARGET_FILE:${library}>)
  endforeach()
  set_target_properties(${target} PROPERTIES ENABLE_EXPORTS ON)
  target_link_libraries(${target} PRIVATE -Wl,--whole-archive ${archives} -Wl,--no-whole-archive ${ARGN})
endfunction()
