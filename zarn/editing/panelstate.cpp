#include "zarn/editing/panelstate.h"

#include "zarn/tags/fileinfo.h"

ShownFile ShownFileOf(const QString& path, const FileInfo& info) {
    return {path, info.hasID3v1(), info.hasID3v2(), info.HiddenFrames, info.identity};
}

QString& BoxText(PanelValues& v, int column, TagField field) {
    TagFields& shared = column == 1 ? v.v1 : v.v2;
    switch (field) {
        case TagField::Title:
            return shared.title;
        case TagField::Artist:
            return shared.artist;
        case TagField::Album:
            return shared.album;
        case TagField::Year:
            return shared.year;
        case TagField::Genre:
            return shared.genre;
        case TagField::Track:
            return shared.track;
        case TagField::Comment:
            return shared.comment;
        case TagField::Composer:
            return v.composer;
        case TagField::OrigArtist:
            return v.origArtist;
        case TagField::Copyright:
            return v.copyright;
        case TagField::URL:
            return v.url;
        case TagField::Encoder:
            return v.encoder;
    }
    return shared.title;  // every field is named above
}

const QString& BoxText(const PanelValues& v, int column, TagField field) {
    return BoxText(const_cast<PanelValues&>(v), column, field);
}

PanelValues PanelValuesOf(const FileInfo& info) {
    PanelValues v;
    v.id3v1 = info.hasID3v1();
    v.id3v2 = info.hasID3v2();
    const bool has[] = {v.id3v1, v.id3v2};
    for (const PanelField& f : PanelFields())
        for (int column : {1, 2})
            if (has[column - 1] && f.in(column).exists())
                BoxText(v, column, f.field) = info.*f.in(column).info;
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
