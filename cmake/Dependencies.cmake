# Every dependency comes from Debian's packages (tools/install-deps.sh installs them).
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(X11 REQUIRED)
find_package(ZLIB REQUIRED)

# The display library ships neither pkg-config nor CMake files.
find_path(IRRLICHT_INCLUDE_DIR irrlicht.h PATH_SUFFIXES irrlicht REQUIRED)
find_library(IRRLICHT_LIBRARY Irrlicht REQUIRED)

pkg_check_modules(EPOXY REQUIRED IMPORTED_TARGET epoxy)
pkg_check_modules(LUA REQUIRED IMPORTED_TARGET lua5.2)
pkg_check_modules(GSTREAMER REQUIRED IMPORTED_TARGET gstreamer-1.0 gstreamer-app-1.0 gstreamer-audio-1.0)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
find_package(glslang REQUIRED CONFIG)
find_package(tinyobjloader REQUIRED CONFIG)

find_path(INIPARSER_INCLUDE_DIR iniparser.h PATH_SUFFIXES iniparser REQUIRED)
find_library(INIPARSER_LIBRARY iniparser REQUIRED)

add_library(tesk_deps INTERFACE)
add_library(tesk::deps ALIAS tesk_deps)
target_include_directories(tesk_deps SYSTEM INTERFACE ${IRRLICHT_INCLUDE_DIR} ${INIPARSER_INCLUDE_DIR})
target_link_libraries(tesk_deps INTERFACE
  ${IRRLICHT_LIBRARY} ${INIPARSER_LIBRARY}
  PkgConfig::EPOXY PkgConfig::LUA PkgConfig::GSTREAMER PkgConfig::LIBZIP ZLIB::ZLIB
  tinyobjloader::tinyobjloader
  glslang::glslang glslang::SPIRV glslang::HLSL glslang::glslang-default-resource-limits
  spirv-cross-glsl spirv-cross-core
  X11::X11 X11::Xtst Threads::Threads ${CMAKE_DL_LIBS})
