# The release's bill of materials, in CycloneDX 1.5 JSON: the product, each
# shipped binary and each package with its SHA-256, and the toolchain's
# components linked into the binaries (from third_party_notices.cmake).
# Every value comes from the build, so two builds write the same bytes.

# write_sbom(OUTPUT NAME VERSION VENDOR EPOCH COMPONENTS COMMIT MODIFIED BINARIES... PACKAGES...)
# COMMIT is the sources' commit (empty when unknown), MODIFIED true when
# tracked files differed from it; BINARIES and PACKAGES are paths.
function(write_sbom output name version vendor epoch components commit modified)
  cmake_parse_arguments(PARSE_ARGV 8 arg "" "" "BINARIES;PACKAGES")
  if(modified)
    set(tree modified)
  else()
    set(tree "as committed")
  endif()
  set(entries "")
  set(all_hashes "")
  foreach(path ${arg_BINARIES} ${arg_PACKAGES})
    file(SHA256 ${path} hash)
    get_filename_component(file ${path} NAME)
    string(APPEND all_hashes "${hash} ${file}\n")
    if(path IN_LIST arg_BINARIES)
      set(what " \"version\": \"${version}\",")
    else()
      set(what "")
    endif()
    string(APPEND entries
      "    {\"type\": \"file\", \"bom-ref\": \"${file}\", \"name\": \"${file}\",${what}\n"
      "     \"hashes\": [{\"alg\": \"SHA-256\", \"content\": \"${hash}\"}]},\n")
  endforeach()
  file(READ ${components} linked)
  # The serial number names this set of files, and no other.
  string(UUID serial NAMESPACE 6BA7B811-9DAD-11D1-80B4-00C04FD430C8 NAME "${all_hashes}" TYPE SHA1)
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  string(TIMESTAMP time "%Y-%m-%dT%H:%M:%SZ" UTC)
  file(WRITE ${output}
    "{\n"
    "  \"bomFormat\": \"CycloneDX\",\n"
    "  \"specVersion\": \"1.5\",\n"
    "  \"serialNumber\": \"urn:uuid:${serial}\",\n"
    "  \"version\": 1,\n"
    "  \"metadata\": {\n"
    "    \"timestamp\": \"${time}\",\n"
    "    \"component\": {\"type\": \"application\", \"bom-ref\": \"${name}\", \"name\": \"${name}\",\n"
    "                  \"version\": \"${version}\", \"supplier\": {\"name\": \"${vendor}\"},\n"
    "                  \"licenses\": [{\"license\": {\"id\": \"MIT\"}}]},\n"
    "    \"properties\": [{\"name\": \"source:commit\", \"value\": \"${commit}\"},\n"
    "                   {\"name\": \"source:tree\", \"value\": \"${tree}\"}]\n"
    "  },\n"
    "  \"components\": [\n"
    "${entries}${linked}\n"
    "  ]\n"
    "}\n")
endfunction()
