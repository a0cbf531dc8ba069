# make deb: orvanta_<version>_amd64.deb, made by CPack from the install rules
# above with the prefix /usr. The libraries the binaries link come from
# dpkg-shlibdeps; what the program loads at run time is named here.
set(ORVANTA_MAINTAINER "Orvanta developers <orvanta@users.noreply.github.com>"
    CACHE STRING "Maintainer of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ORVANTA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese typing tutor for an elementary course")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvanta is a typing tutor for the texts of a two-volume elementary Japanese
course, with a Simplified Chinese interface. The lesson appears in the upper
box and is typed into the lower box with a Japanese input method; every
character turns blue when typed right and red when typed wrong. Orvanta times
the attempt, shows the speed in characters per minute, plays short sound cues
and saves scores to a history. It holds the 96 texts of the course's 48
lessons and opens lesson files made with orvanta-lesson.")
# The launcher and the desktop entry name the program folder through
# CMAKE_INSTALL_PREFIX, so the package is staged through DESTDIR with the
# final prefix rather than in a prefix of CPack's own.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvanta.github.io/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The CJK faces of the text boxes; GStreamer with the plugins that play the
# recordings (the player fails without base and good, WMA needs ugly and
# libav); the Chinese wording of Qt's own dialogs; the reading dictionary.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-noto-cjk, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-ugly, gstreamer1.0-libav, qt6-translations-l10n, mecab-ipadic-utf8")
# The rounded Japanese face the lesson boxes prefer, a Japanese input method,
# and the Chinese forms and kanji readings that explain mistakes (without them
# the explanations name the kinds they cannot tell).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-motoya-l-maruberi, ibus-mozc | fcitx5-mozc | ibus-anthy, libopencc-data, kanjidic")

include(CPack)
