# The release zip of a Windows build: `--target package` builds Tuckaway.exe
# and makes Tuckaway-<version>-win32.zip (or -win64.zip) with a SHA256SUMS
# beside it, in the build folder.
#
# What goes in is the install component "Tuckaway": these three files, and
# nothing of the tests or benchmarks. CPack is not used: its zips record the
# packaging user's uid and gid, and its package target builds every target
# first. cmake/make-zip.py zips the installed files the same way every time.
install(TARGETS Tuckaway RUNTIME DESTINATION . COMPONENT Tuckaway)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt COMPONENT Tuckaway)
install(FILES ${PROJECT_SOURCE_DIR}/resources/forks.reg DESTINATION . COMPONENT Tuckaway)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(tuckaway_package_system win64)
else()
  set(tuckaway_package_system win32)
endif()
set(tuckaway_package ${PROJECT_BINARY_DIR}/Tuckaway-${PROJECT_VERSION}-${tuckaway_package_system}.zip)
set(tuckaway_package_files ${PROJECT_BINARY_DIR}/package-files)
find_program(TUCKAWAY_PYTHON NAMES python3 REQUIRED)

add_custom_target(package
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${tuckaway_package_files}
  COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --component Tuckaway --prefix ${tuckaway_package_files}
  COMMAND ${TUCKAWAY_PYTHON} ${PROJECT_SOURCE_DIR}/cmake/make-zip.py
          ${PROJECT_SOURCE_DIR} ${tuckaway_package_files} ${tuckaway_package}
  COMMENT "Packaging ${tuckaway_package}"
  VERBATIM)
add_dependencies(package Tuckaway)
