"""The user's locale for the tray program's tests: programs started inside user_locale run with
the locale, and so the code page, of the language."""
import contextlib

LOCALE = {"en": "en_US.UTF-8", "ja": "ja_JP.UTF-8"}
CODE_PAGE = {"en": "cp1252", "ja": "cp932"}

# Wine links missing Japanese glyphs to these faces; the IPA Gothic font (Latin and Japanese)
# stands in for them.
JAPANESE_FACES = ["MS UI Gothic", "MS Gothic", "MS PGothic"]
CJK_FONT = "IPAPGothic"


@contextlib.contextmanager
def user_locale(wine, language):
    """Programs started inside run with the user's locale (and so the code page) of the language."""
    if language == "ja":
        for face in JAPANESE_FACES:
            wine.run(["reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", face, "/d", CJK_FONT, "/f"])
    saved = dict(wine.env)
    wine.env.update(LANG=LOCALE[language], LC_ALL=LOCALE[language])
    try:
        yield
    finally:
        wine.env.clear()
        wine.env.update(saved)
