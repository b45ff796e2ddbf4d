# Doxygen input filter for the Markdown pages: gives each heading the anchor a Git host makes of
# it ("## Combo entries" becomes {#combo-entries}), so that links such as (#combo-entries) work in
# both, and names a page after its file (docs/descriptions.md is the page "descriptions"). Lines
# are only extended, never added, so warnings keep their line numbers. Doxygen shows code spans in
# headings as raw markup, so their backquotes go.
FNR == 1 {
    page = FILENAME
    sub(/^.*\//, "", page)
    sub(/\.md$/, "", page)
    fenced = 0
    titled = 0
}
/^```/ { fenced = !fenced }
!fenced && /^#+ / && !/\{#[^}]*\}[ \t]*$/ {
    if (!titled && /^# /) {
        anchor = page
    } else {
        anchor = $0
        sub(/^#+ +/, "", anchor)
        anchor = tolower(anchor)
        gsub(/[^a-z0-9 _-]/, "", anchor)
        gsub(/ /, "-", anchor)
    }
    titled = 1
    heading = $0
    gsub(/`/, "", heading)
    print heading " {#" anchor "}"
    next
}
/^# / { titled = 1 }
{ print }
