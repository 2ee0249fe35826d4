# Writes korvo's HKEY_LOCAL_MACHINE hive naming the system information tool.
# Variables: TOOL, the tool's file; HIVE, the hive file to write. Runs at configure
# time for the build tree and at install time for the installed copy.
# Every user's korvo reads the hive, so the file and the folders made for it are
# readable by all, whatever the umask of whoever builds or installs.
string(REPLACE "\\" "\\\\" escaped "${TOOL}")
string(REPLACE "\"" "\\\"" escaped "${escaped}")

cmake_path(GET HIVE PARENT_PATH folder)
set(missing)
while(NOT EXISTS "${folder}")
  list(PREPEND missing "${folder}")
  cmake_path(GET folder PARENT_PATH folder)
endwhile()
foreach(folder IN LISTS missing)
  file(MAKE_DIRECTORY "${folder}")
  file(CHMOD "${folder}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
       GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()

file(WRITE "${HIVE}" "REGEDIT4\n\n"
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
     "\"PATH\"=\"${escaped}\"\n")
file(CHMOD "${HIVE}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
