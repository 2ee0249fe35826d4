# Writes korvo's HKEY_LOCAL_MACHINE hive naming the system information tool.
# Variables: TOOL, the tool's file; HIVE, the hive file to write. Runs at configure
# time for the build tree and at install time for the installed copy.
string(REPLACE "\\" "\\\\" escaped "${TOOL}")
string(REPLACE "\"" "\\\"" escaped "${escaped}")
file(WRITE "${HIVE}" "REGEDIT4\n\n"
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
     "\"PATH\"=\"${escaped}\"\n")
