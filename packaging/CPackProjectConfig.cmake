# Read by cpack before it packs: the archives take their times from
# SOURCE_DATE_EPOCH, which defaults to the newest changelog entry.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT CPACK_VE_SOURCE_DATE_EPOCH STREQUAL "")
  set(ENV{SOURCE_DATE_EPOCH} "${CPACK_VE_SOURCE_DATE_EPOCH}")
endif()
