# Run by `cmake --install`: writes the desktop entry with the executable's full path under the
# prefix of this install, and installs it as a file so that install_manifest.txt lists it.
set(exec "${CMAKE_INSTALL_PREFIX}/${SONO_BINDIR}/sonoplexer")
if(exec MATCHES "[] \t\"'\\\\<>~|&;$*?#()`[]")
    # The entry's quoting: inside double quotes a quote, backquote, dollar sign or backslash is
    # escaped with a backslash, and the key file then doubles every backslash once more.
    string(REPLACE "\\" "\\\\" exec "${exec}")
    foreach(special "\"" "`" "$")
        string(REPLACE "${special}" "\\${special}" exec "${exec}")
    endforeach()
    string(REPLACE "\\" "\\\\" exec "\"${exec}\"")
endif()
string(REPLACE "%" "%%" SONO_EXEC "${exec}")
configure_file("${SONO_ENTRY_TEMPLATE}" "${SONO_ENTRY_FOLDER}/sonoplexer.desktop" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${SONO_DATADIR}/applications" TYPE FILE
     FILES "${SONO_ENTRY_FOLDER}/sonoplexer.desktop")
