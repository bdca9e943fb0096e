# cmake -DBUILD=<build folder> -DWORK=<scratch folder> -P CheckInstall.cmake
# Installs the built program into a scratch DESTDIR and checks what users and desktops rely on.
set(prefix /usr/local)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK}
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the install failed (${rc})")
endif()
set(root ${WORK}${prefix})
set(problems)

foreach(f lib/tavirel/tavirel lib/tavirel/tavirel.MDB lib/tavirel/Hdat.mdb lib/tavirel/velm.chm
          lib/tavirel/Tada.wav lib/tavirel/installed share/applications/org.tavirel.tavirel.desktop
          share/icons/hicolor/scalable/apps/tavirel.svg share/metainfo/org.tavirel.tavirel.metainfo.xml
          share/man/man1/tavirel.1.gz share/doc/tavirel/copyright share/doc/tavirel/changelog.gz)
  if(NOT EXISTS ${root}/${f})
    list(APPEND problems "missing ${f}")
  endif()
endforeach()

# The user's data is never part of an install.
if(EXISTS ${root}/lib/tavirel/yourown.MDB)
  list(APPEND problems "an own database was installed")
endif()

# The command is a relative link to the program, so the program finds its folder.
if(NOT IS_SYMLINK ${root}/bin/tavirel)
  list(APPEND problems "bin/tavirel is not a link")
else()
  file(READ_SYMLINK ${root}/bin/tavirel target)
  file(REAL_PATH ${root}/bin/tavirel resolved)
  file(REAL_PATH ${root}/lib/tavirel/tavirel program)
  if(IS_ABSOLUTE "${target}" OR NOT resolved STREQUAL program)
    list(APPEND problems "bin/tavirel points at ${target}")
  endif()
endif()

# Each PNG icon is as large as the folder it is in says (width and height from the header).
foreach(size 16 24 32 48 64 128 256)
  set(png ${root}/share/icons/hicolor/${size}x${size}/apps/tavirel.png)
  if(NOT EXISTS ${png})
    list(APPEND problems "missing the ${size}px icon")
    continue()
  endif()
  file(READ ${png} header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${header}" 0 8 w)
  string(SUBSTRING "${header}" 8 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  if(NOT w EQUAL size OR NOT h EQUAL size)
    list(APPEND problems "the ${size}px icon is ${w}x${h}")
  endif()
endforeach()

# Every screenshot the metadata names is shipped, and is a picture.
file(READ ${root}/share/metainfo/org.tavirel.tavirel.metainfo.xml metainfo)
string(REGEX MATCHALL "<image>[^<]+</image>" images "${metainfo}")
if(NOT images)
  list(APPEND problems "the metadata names no screenshot")
endif()
foreach(image ${images})
  string(REGEX REPLACE "^<image>(.*)</image>$" "\\1" url "${image}")
  if(NOT url MATCHES "^https://")
    list(APPEND problems "screenshot address ${url} is not https")
  endif()
  get_filename_component(name "${url}" NAME)
  set(shot ${root}/share/tavirel/screenshots/${name})
  if(NOT EXISTS ${shot})
    list(APPEND problems "screenshot ${name} is not shipped")
    continue()
  endif()
  file(READ ${shot} magic LIMIT 8 HEX)
  if(NOT magic STREQUAL "89504e470d0a1a0a")
    list(APPEND problems "screenshot ${name} is not a PNG")
  endif()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "install in ${root}:\n  ${text}")
endif()
message(STATUS "install layout in ${root} is complete")
