# Installs the menu entry with the program's installed path in Exec, taken
# when the files are installed (cmake --install --prefix, or the package's
# prefix under DESTDIR), so the entry works for users whose PATH lacks the
# games folder. Set before it runs: MECOVNIK_DESKTOP_IN, MECOVNIK_DESKTOP_OUT,
# MECOVNIK_PROGRAM_RELATIVE (the command below the prefix) and
# MECOVNIK_APPLICATIONS_DIR (the entry's folder below the prefix).
set(program "${CMAKE_INSTALL_PREFIX}/${MECOVNIK_PROGRAM_RELATIVE}")
# A path with characters the Exec key reserves goes in quotes, with the
# escapes the desktop entry rules ask for.
if(program MATCHES "[^A-Za-z0-9/._+-]")
    string(REPLACE "\\" "\\\\\\\\" program "${program}")
    foreach(reserved "\"" "`" "$")
        string(REPLACE "${reserved}" "\\\\${reserved}" program "${program}")
    endforeach()
    string(REPLACE "%" "%%" program "${program}")
    set(program "\"${program}\"")
endif()
file(READ "${MECOVNIK_DESKTOP_IN}" entry)
string(REPLACE "@MECOVNIK_EXEC@" "${program}" entry "${entry}")
file(WRITE "${MECOVNIK_DESKTOP_OUT}" "${entry}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${MECOVNIK_APPLICATIONS_DIR}" TYPE FILE
    FILES "${MECOVNIK_DESKTOP_OUT}")
