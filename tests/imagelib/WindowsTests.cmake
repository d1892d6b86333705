# The image library's tests in the Windows build, run under Wine: the Windows Imaging
# Component's codecs, and the shared conformance suites decoded through them (skipped when
# ../shared/testdata is out of reach). PNG renderings are read with WIC directly there, as
# libpng is Linux's.
set(I ${PROJECT_SOURCE_DIR}/tests/imagelib)

varnelle_gtest(imagelib_wic_tests
  SOURCES ${I}/wic_decoder_test.cpp ${I}/wic_gif_and_scale_test.cpp ${I}/wic_test_files.cpp ${I}/exif_segment.cpp
  LIBS imagelib windowscodecs ole32 oleaut32 uuid)

varnelle_gtest(imagelib_conformance_tests
  SOURCES ${I}/conformance_test.cpp ${I}/png_gamma.cpp ${I}/rgb_image.cpp ${I}/png_reference_wic.cpp
  LIBS imagelib windowscodecs ole32 uuid)
