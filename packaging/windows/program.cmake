# What makes an executable one of the game's Windows programs:
#   quarrow_windows_program(<target> [TITLE <window title>])
# gives it the icon, the version information and the manifest (common
# controls 6, per-monitor DPI awareness), makes it a GUI program (-mwindows)
# with the C and C++ runtimes linked in, and puts SOUND/, rules.txt and
# tvk.txt beside it in the build's bin/, where it looks for them. TITLE
# (default "Quarrow Solitaire") is the title of its main window, which the
# end-to-end tests look for, and its file description.
set(QUARROW_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR})

# The maker's name and the copyright line are the about text's own, so the
# file's properties in Explorer never disagree with Help > About.
file(READ ${PROJECT_SOURCE_DIR}/gamedata/tvk.txt quarrow_about)
string(REGEX MATCH "Made by ([^\r\n]+)" _ "${quarrow_about}")
set(QUARROW_COMPANY "${CMAKE_MATCH_1}")
string(REGEX MATCH "Copyright [^.\r\n]+" QUARROW_COPYRIGHT "${quarrow_about}")
if(NOT QUARROW_COMPANY OR NOT QUARROW_COPYRIGHT)
  message(FATAL_ERROR "gamedata/tvk.txt no longer names the maker (\"Made by ...\") or the copyright")
endif()

# The files the program reads from its own folder, copied whenever they change.
set(QUARROW_GAMEDATA_FILES SOUND/APPLAUS.WAV SOUND/CLUCK.WAV SOUND/qrrow_icon.ico SOUND/example.gif rules.txt tvk.txt)
set(outputs "")
foreach(file IN LISTS QUARROW_GAMEDATA_FILES)
  add_custom_command(
    OUTPUT ${QUARROW_PROGRAM_DIR}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/gamedata/${file} ${QUARROW_PROGRAM_DIR}/${file}
    DEPENDS ${PROJECT_SOURCE_DIR}/gamedata/${file}
    COMMENT "Copying ${file} beside the program"
    VERBATIM)
  list(APPEND outputs ${QUARROW_PROGRAM_DIR}/${file})
endforeach()
add_custom_target(quarrow_windows_gamedata DEPENDS ${outputs})

set(QUARROW_PROGRAM_ICON ${CMAKE_BINARY_DIR}/packaging/windows/program.ico)
add_custom_command(
  OUTPUT ${QUARROW_PROGRAM_ICON}
  COMMAND ${Python3_EXECUTABLE} ${QUARROW_WINDOWS_DIR}/join_icons.py ${QUARROW_PROGRAM_ICON}
          ${PROJECT_SOURCE_DIR}/assets/emblem.ico ${PROJECT_SOURCE_DIR}/assets/emblem@2x.ico
  DEPENDS ${QUARROW_WINDOWS_DIR}/join_icons.py ${PROJECT_SOURCE_DIR}/assets/emblem.ico
          ${PROJECT_SOURCE_DIR}/assets/emblem@2x.ico
  COMMENT "Joining the emblem's drawings into the programs' icon"
  VERBATIM)
add_custom_target(quarrow_windows_icon DEPENDS ${QUARROW_PROGRAM_ICON})

function(quarrow_windows_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TITLE" "")
  if(NOT arg_TITLE)
    set(arg_TITLE "Quarrow Solitaire")
  endif()
  set(QUARROW_RC_TARGET ${target})
  set(QUARROW_RC_TITLE "${arg_TITLE}")
  # The file's icon is the emblem the window shows (SOUND/qrrow_icon.ico is
  # its 32-pixel drawing), with the 64-pixel drawing beside it for screens
  # of more dots per inch.
  set(QUARROW_RC_ICON ${QUARROW_PROGRAM_ICON})
  set(QUARROW_RC_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${QUARROW_WINDOWS_DIR}/program.manifest.in ${QUARROW_RC_MANIFEST} @ONLY)
  configure_file(${QUARROW_WINDOWS_DIR}/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES
    OBJECT_DEPENDS "${QUARROW_RC_ICON};${QUARROW_RC_MANIFEST}")
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  target_link_options(${target} PRIVATE -mwindows -static)
  set_target_properties(${target} PROPERTIES QUARROW_WINDOW_TITLE "${arg_TITLE}")
  add_dependencies(${target} quarrow_windows_gamedata quarrow_windows_icon)
endfunction()
