# cmake -DBUILD=<build folder> -DWORK=<scratch folder> -DLINTIAN=<lintian> -P CheckPackage.cmake
# Builds the Debian package into a scratch folder, checks its contents and runs lintian on it:
# errors fail, warnings are listed.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND cpack --config ${BUILD}/CPackConfig.cmake -B ${WORK}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs ${WORK}/tavirel_*.deb)
if(NOT rc EQUAL 0 OR NOT debs)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}")
endif()
list(GET debs 0 deb)

execute_process(COMMAND dpkg-deb -f ${deb} Depends OUTPUT_VARIABLE depends
                OUTPUT_STRIP_TRAILING_WHITESPACE)
message(STATUS "${deb}\nDepends: ${depends}")
foreach(needed libqt6widgets6 libqt6multimedia6 libqt6network6 libsqlcipher0 libchm1)
  if(NOT depends MATCHES "(^|, )${needed}( |,|$)")
    message(FATAL_ERROR "the package does not depend on ${needed}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE contents)
if(contents MATCHES "yourown\\.MDB")
  message(FATAL_ERROR "the package holds an own database")
endif()
if(NOT contents MATCHES "\\./usr/bin/tavirel -> \\.\\./lib/tavirel/tavirel")
  message(FATAL_ERROR "the package has no tavirel command:\n${contents}")
endif()

execute_process(COMMAND ${LINTIAN} --fail-on error --display-level ">=warning" ${deb}
                RESULT_VARIABLE rc OUTPUT_VARIABLE report ERROR_VARIABLE report)
message(STATUS "lintian:\n${report}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lintian found errors")
endif()
