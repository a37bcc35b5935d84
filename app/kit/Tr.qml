pragma Singleton
import QtQml

// The one way a view writes a text in both languages: `Tr.text("清理", "Clean")`, the pair kept
// beside its view. The binding reads `Loc.chinese` through this call, so it follows a switch live.
QtObject {
    function text(zh: string, en: string): string {
        return Loc.chinese ? zh : en
    }
}
