# Read by cpack once per generator: the .tar.gz takes the side-by-side layout of a plain install
# (component "plugin"), the .deb the FileMaker Server layout rooted at / (component "server"),
# each as one package.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_COMPONENTS_ALL server)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_PACKAGING_INSTALL_PREFIX "/")
else()
  set(CPACK_COMPONENTS_ALL plugin)
endif()
