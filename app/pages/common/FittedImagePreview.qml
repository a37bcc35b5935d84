import QtQuick
import Roror.App

// An image file scaled to fit the space it is given, centred and letter-boxed, decoded once per
// path and revision at the size shown. `cornerRadius` clips it to the rounded rectangle of that
// space. Draws nothing for a file that is not a picture.
Image {
    id: root
    property string url
    property int revision: 0
    property real cornerRadius: 0

    source: ImagePreviews.source(url, revision, "fit", width > 0 ? cornerRadius / Math.min(width, height) : 0)
    sourceSize.width: Math.max(1, Math.round(width))
    sourceSize.height: Math.max(1, Math.round(height))
    fillMode: Image.PreserveAspectFit
    asynchronous: true
    cache: true
    smooth: true
}
