#pragma once

/// @file
/// Property descriptions to and from JSON.

#include <corvane/CorvaneExport.h>
#include <corvane/PropertyListBuilder.h>

#include <QByteArray>
#include <QString>

/// Where and why a description list could not be read from JSON (corvane::descriptionsFromJson()).
struct CORVANE_WIDGETS_EXPORT DescriptionJsonError
{
    /// The line of the error, from 1; 0 without an error.
    int line = 0;
    /// The column of the error in characters (not bytes), from 1.
    int column = 0;
    /// The record key whose value was being read, if any.
    QString key;
    /// What was wrong, such as "expected an integer"; empty without an error.
    QString message;

    /// Whether reading failed.
    bool isError() const { return !message.isEmpty(); }
    /// "line 3, column 14, key "w_flags": expected an integer"; empty without an error.
    QString toString() const;
};

namespace corvane {

/// The list as a JSON array of objects, one record per line. Reading it back gives the same list:
/// strings, bools, ints and floats as they were (a double that a float spells alike comes back a
/// float); a colour or another type that converts to text comes back as that text.
CORVANE_WIDGETS_EXPORT QByteArray descriptionsToJson(PropertyDescriptionList const& list);

/// The list that `json` (UTF-8) describes. On malformed JSON, or a key of the format holding a
/// value of the wrong type, the result is empty and `error`, when given, says where and why.
/// See \ref descriptions "Describing a property sheet" for the format and the messages.
CORVANE_WIDGETS_EXPORT PropertyDescriptionList descriptionsFromJson(
    QByteArray const& json, DescriptionJsonError* error = nullptr);

} // namespace corvane
