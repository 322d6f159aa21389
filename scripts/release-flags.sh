# Sourced by scripts/build.sh and scripts/package.sh: the compiler and linker
# flags of a release, Debian's optimisation and hardening flags, as cmake
# arguments in VE_RELEASE_FLAGS. The test build and the package compile the
# editor with the same ones, so the tests run the code that is shipped and the
# package takes the test build's objects from the compiler cache instead of
# compiling the tree a second time. Both keep the debug information in their
# objects; the package's binaries are stripped when it is packed.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
VE_RELEASE_FLAGS=(
  -DCMAKE_BUILD_TYPE=Release
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
  -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
)
