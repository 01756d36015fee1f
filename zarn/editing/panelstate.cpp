#include "zarn/editing/panelstate.h"

#include "zarn/tags/fileinfo.h"

ShownFile ShownFileOf(const QString& path, const FileInfo& info) {
    return {path, info.hasID3v1(), info.hasID3v2(), info.HiddenFrames, info.identity};
}

PanelValues PanelValuesOf(const FileInfo& info) {
    PanelValues v;
    v.id3v1 = info.hasID3v1();
    v.id3v2 = info.hasID3v2();
    if (v.id3v1)
        v.v1 = {info.txtArtist, info.txtTitle, info.txtAlbum,   info.txtTrackNr,
                info.txtYear,   info.cmbGenre, info.txtComments};
    if (v.id3v2) {
        v.v2 = {info.txtV2Artist, info.txtV2Title, info.txtV2Album,   info.txtV2Track,
                info.txtV2Year,   info.cmbV2Genre, info.txtV2Comments};
        v.composer = info.txtV2Composer;
        v.origArtist = info.txtV2OrigArtist;
        v.copyright = info.txtV2Copyright;
        v.url = info.txtV2URL;
        v.encoder = info.txtV2Encoder;
    }
    return v;
}

NameFields PanelNameFields(const PanelValues& values, const QString& inPattern,
                           const QString& outPattern) {
    NameFields f;
    f.oldName = values.oldName;
    f.inPattern = inPattern;
    f.outPattern = outPattern;
    f.id3v1 = values.id3v1;
    f.id3v2 = values.id3v2;
    f.v1 = values.v1;
    f.v2 = values.v2;
    return f;
}
