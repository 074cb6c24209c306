# Copies the shipped data beside the program: Matrix/, the bundled history and the prize rule
# periods always (they are read-only data), user/ files only when the program directory has
# none yet.
file(MAKE_DIRECTORY "${DST}/user" "${DST}/Matrix" "${DST}/history" "${DST}/rules")
file(GLOB matrices "${SRC}/Matrix/*.db")
foreach(f IN LISTS matrices)
  file(COPY "${f}" DESTINATION "${DST}/Matrix")
endforeach()
file(COPY "${SRC}/history/ssq-history.txt" DESTINATION "${DST}/history")
file(COPY "${SRC}/rules/fortune-periods.txt" DESTINATION "${DST}/rules")
file(GLOB userfiles "${SRC}/user/*")
foreach(f IN LISTS userfiles)
  get_filename_component(name "${f}" NAME)
  if(NOT EXISTS "${DST}/user/${name}")
    file(COPY "${f}" DESTINATION "${DST}/user")
  endif()
endforeach()
