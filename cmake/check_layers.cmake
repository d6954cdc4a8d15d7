# The layers' include rules, checked over the sources: arrows point down only.
#   frameset/  standard C++ only: no Qt, no other layer; platform headers only in the posix_ and
#              win32_ files that keep the platform behind a narrow interface
#   device/    nothing of pictures/, editor/ or cli/
#   program_file/  nothing of device/, pictures/, editor/ or cli/
#   pictures/  nothing of editor/ or cli/
#   cli/       nothing of editor/
#   inside editor/: window/ (the main window, its commands, the start-up) is the top room, which
#              no other folder includes; app/, dots/, tools/ and widgets/ are the floor the rooms
#              share and include none of them
# usage: cmake -DROOT=<source folder> -P check_layers.cmake   (fails, naming each offence)
if(NOT ROOT)
    message(FATAL_ERROR "check_layers: pass -DROOT=<source folder>")
endif()

set(qt_include "^[ \t]*#[ \t]*include[ \t]*<Q")
set(platform_headers "windows\\.h|unistd\\.h|termios\\.h|fcntl\\.h|pthread\\.h|sys/[a-z_]+\\.h|poll\\.h|pty\\.h|dirent\\.h|io\\.h|winbase\\.h|winioctl\\.h")
set(offences "")

# Every #include line of the files under `folder` that matches `pattern`, reported as `rule`.
function(forbid folder pattern rule)
    file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp"
         "${ROOT}/${folder}/*.inc")
    foreach(source IN LISTS sources)
        get_filename_component(name "${source}" NAME)
        if(ARGN AND name MATCHES "${ARGN}")
            continue()
        endif()
        file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS lines)
            if(line MATCHES "${pattern}")
                file(RELATIVE_PATH shown "${ROOT}" "${source}")
                string(STRIP "${line}" line)
                list(APPEND offences "${shown}: ${line} (${rule})")
            endif()
        endforeach()
    endforeach()
    set(offences "${offences}" PARENT_SCOPE)
endfunction()

forbid(frameset "${qt_include}" "frameset/ is standard C++ only")
forbid(frameset "\"(device|pictures|editor|cli)/" "frameset/ is the bottom layer")
forbid(frameset "<(${platform_headers})>" "platform headers only in posix_/win32_ files"
       "^(posix|win32)_")
forbid(device "\"(pictures|editor|cli)/" "device/ is below pictures/, editor/ and cli/")
forbid(program_file "\"(device|pictures|editor|cli)/" "program_file/ is below the Qt-side layers")
forbid(pictures "\"(editor|cli)/" "pictures/ is below editor/ and cli/")
forbid(cli "\"editor/" "cli/ depends on nothing of the editor")
foreach(room app commands dialogs dots files preview recovery strip tools widgets)
    forbid(editor/${room} "\"editor/window/" "editor/window/ is the top of the editor")
endforeach()
foreach(floor app dots tools widgets)
    forbid(editor/${floor} "\"editor/(window|commands|dialogs|files|preview|recovery|strip)/"
           "editor/${floor}/ is below the editor's rooms")
endforeach()

if(offences)
    list(LENGTH offences count)
    string(REPLACE ";" "\n  " shown "${offences}")
    message(FATAL_ERROR "check_layers: ${count} include(s) against the layers:\n  ${shown}")
endif()
message(STATUS "check_layers: the includes keep to the layers")
