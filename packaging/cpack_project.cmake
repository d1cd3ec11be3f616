# Read by cpack before it packs. Stripping a program stamps the copy with the current time
# unless SOURCE_DATE_EPOCH names one; one stamp for the whole packing keeps the programs of the
# field kit and the demo kit the same byte for byte. A SOURCE_DATE_EPOCH already set wins.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  string(TIMESTAMP packed_at "%s" UTC)
  set(ENV{SOURCE_DATE_EPOCH} ${packed_at})
endif()
