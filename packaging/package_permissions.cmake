# Run by CPack on the staged installation before it becomes a package: every folder is
# made 0755, so a package built under a strict umask (077) does not ship folders such as
# /usr/share/korvo that only root can enter. The files have their modes from the
# install rules already; the folders that installing creates are subject to the umask.
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(entry IN LISTS entries)
  if(IS_SYMLINK "${entry}")
    continue()
  elseif(IS_DIRECTORY "${entry}")
    file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
         GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
